#include "kb/Json.h"

#include <gtest/gtest.h>

namespace {

TEST(Json, WhatTheWriterWritesTheReaderReadsBack) {
    kb::JsonWriter writer;
    writer.beginObject()
        .key("text").value("кавычка \" слэш \\ строка\nтаб\t\x01")
        .key("number").value(42)
        .key("flag").value(true)
        .key("nothing").null()
        .key("list").beginArray().value(1).beginObject().endObject().beginArray().endArray().endArray()
        .endObject();
    EXPECT_EQ(writer.text(), "{\"text\":\"кавычка \\\" слэш \\\\ строка\\nтаб\\t\\u0001\",\"number\":42,"
                             "\"flag\":true,\"nothing\":null,\"list\":[1,{},[]]}");
    const auto value = kb::parseJson(writer.text());
    ASSERT_TRUE(value);
    EXPECT_EQ(value->stringOr("text"), "кавычка \" слэш \\ строка\nтаб\t\x01");
    EXPECT_EQ(value->member("number")->number(), 42);
    EXPECT_EQ(value->member("flag")->boolean(), true);
    EXPECT_TRUE(value->member("nothing")->isNull());
    EXPECT_EQ(value->member("list")->array()->size(), 3u);
    EXPECT_EQ(value->member("absent"), nullptr);
}

TEST(Json, EscapedCharactersAndBrokenText) {
    const auto value = kb::parseJson(R"( {"a": "\u0416\ud83d\ude00\/", "b": [ -1.5e2 ]} )");
    ASSERT_TRUE(value);
    EXPECT_EQ(value->stringOr("a"), "Ж😀/");
    EXPECT_EQ((*value->member("b")->array())[0].number(), -150.0);
    for (const char* broken : {"", "{", "{\"a\":}", "[1,]", "\"open", "{\"a\":1} x", "nul", "[\"\\u12\"]"})
        EXPECT_FALSE(kb::parseJson(broken)) << broken;
    EXPECT_FALSE(kb::parseJson(std::string(100, '[') + std::string(100, ']'))) << "too deep";
}

} // namespace
