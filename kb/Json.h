#pragma once

// JSON for machine-readable output and the learning journal: a small
// writer, and a reader for what the writer writes. Strings are UTF-8.

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace kb {

class JsonWriter {
public:
    JsonWriter& beginObject();
    JsonWriter& endObject();
    JsonWriter& beginArray();
    JsonWriter& endArray();
    JsonWriter& key(std::string_view name);
    JsonWriter& value(std::string_view utf8);
    JsonWriter& value(const char* utf8) { return value(std::string_view(utf8)); }
    JsonWriter& value(long long number);
    JsonWriter& value(int number) { return value(static_cast<long long>(number)); }
    JsonWriter& value(double number);
    JsonWriter& value(bool flag);
    JsonWriter& null();
    // A value written by another writer, as it stands.
    JsonWriter& raw(std::string_view json);
    // A value or null.
    template <typename T> JsonWriter& optional(const std::optional<T>& v) {
        return v ? value(*v) : null();
    }

    const std::string& text() const { return out_; }

private:
    void separate();
    std::string out_;
    std::vector<bool> first_; // per open container: nothing written in it yet
    bool afterKey_ = false;
};

// A parsed JSON value.
struct JsonValue {
    using Object = std::map<std::string, JsonValue, std::less<>>;
    using Array = std::vector<JsonValue>;
    std::variant<std::nullptr_t, bool, double, std::string, std::shared_ptr<Array>, std::shared_ptr<Object>>
        data = nullptr;

    bool isNull() const { return std::holds_alternative<std::nullptr_t>(data); }
    const std::string* string() const { return std::get_if<std::string>(&data); }
    std::optional<double> number() const;
    std::optional<bool> boolean() const;
    const Array* array() const;
    const Object* object() const;
    // A member of an object, or nullptr.
    const JsonValue* member(std::string_view name) const;
    std::string stringOr(std::string_view name, std::string fallback = {}) const;
};

// nullopt when the text is not one whole JSON value.
std::optional<JsonValue> parseJson(std::string_view text);

} // namespace kb
