#pragma once

// What the workbench's tests share: a working directory with a small
// knowledge base written from UTF-8 lines.

#include "support/TempDir.h"
#include "support/Text.h"

#include "kb/FileStore.h"
#include "workbench/Base.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace wbtest {

using support::cp;
using support::utf;
using support::Utf8Lines;

class BaseFixture : public ::testing::Test {
protected:
    // Every file holds one ordinary line, so that nothing but the lines a
    // test writes gives a finding; Words.Dat holds its header only.
    BaseFixture();

    void writeBase(const std::string& name, const Utf8Lines& lines);
    // Words.Dat: the header, then these lines (line 1 on).
    void writeWords(const Utf8Lines& lines);
    Utf8Lines readBase(const std::string& name);
    std::vector<workbench::BaseContent> base() { return workbench::readBase(store); }

    TempDir dir;
    kb::FileStore store{dir.path()};
};

} // namespace wbtest
