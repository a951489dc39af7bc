#include "Json.h"

#include "Cp1251.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace kb {

// ---------------------------------------------------------------------------
// Writer

void JsonWriter::separate() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (!first_.empty()) {
        if (!first_.back())
            out_ += ',';
        first_.back() = false;
    }
}

JsonWriter& JsonWriter::beginObject() {
    separate();
    out_ += '{';
    first_.push_back(true);
    return *this;
}

JsonWriter& JsonWriter::endObject() {
    out_ += '}';
    first_.pop_back();
    return *this;
}

JsonWriter& JsonWriter::beginArray() {
    separate();
    out_ += '[';
    first_.push_back(true);
    return *this;
}

JsonWriter& JsonWriter::endArray() {
    out_ += ']';
    first_.pop_back();
    return *this;
}

JsonWriter& JsonWriter::key(std::string_view name) {
    value(name);
    out_ += ':';
    afterKey_ = true;
    return *this;
}

JsonWriter& JsonWriter::value(std::string_view utf8) {
    separate();
    out_ += '"';
    for (const char c : utf8) {
        switch (c) {
        case '"':
            out_ += "\\\"";
            break;
        case '\\':
            out_ += "\\\\";
            break;
        case '\n':
            out_ += "\\n";
            break;
        case '\r':
            out_ += "\\r";
            break;
        case '\t':
            out_ += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
                out_ += escaped;
            } else {
                out_ += c;
            }
        }
    }
    out_ += '"';
    return *this;
}

JsonWriter& JsonWriter::value(long long number) {
    separate();
    out_ += std::to_string(number);
    return *this;
}

JsonWriter& JsonWriter::value(double number) {
    separate();
    if (!std::isfinite(number)) {
        out_ += "null";
        return *this;
    }
    char text[32];
    std::snprintf(text, sizeof text, "%.4g", number);
    out_ += text;
    return *this;
}

JsonWriter& JsonWriter::value(bool flag) {
    separate();
    out_ += flag ? "true" : "false";
    return *this;
}

JsonWriter& JsonWriter::raw(std::string_view json) {
    separate();
    out_ += json;
    return *this;
}

JsonWriter& JsonWriter::null() {
    separate();
    out_ += "null";
    return *this;
}

// ---------------------------------------------------------------------------
// Reader

std::optional<double> JsonValue::number() const {
    if (const double* n = std::get_if<double>(&data))
        return *n;
    return std::nullopt;
}

std::optional<bool> JsonValue::boolean() const {
    if (const bool* b = std::get_if<bool>(&data))
        return *b;
    return std::nullopt;
}

const JsonValue::Array* JsonValue::array() const {
    const auto* a = std::get_if<std::shared_ptr<Array>>(&data);
    return a ? a->get() : nullptr;
}

const JsonValue::Object* JsonValue::object() const {
    const auto* o = std::get_if<std::shared_ptr<Object>>(&data);
    return o ? o->get() : nullptr;
}

const JsonValue* JsonValue::member(std::string_view name) const {
    const Object* o = object();
    if (o == nullptr)
        return nullptr;
    const auto found = o->find(name);
    return found == o->end() ? nullptr : &found->second;
}

std::string JsonValue::stringOr(std::string_view name, std::string fallback) const {
    const JsonValue* m = member(name);
    return m && m->string() ? *m->string() : fallback;
}

namespace {

class Parser {
public:
    explicit Parser(std::string_view text) : in_(text) {}

    std::optional<JsonValue> whole() {
        auto v = parseValue(0);
        skipBlanks();
        if (!v || pos_ != in_.size())
            return std::nullopt;
        return v;
    }

private:
    static constexpr int kMaxDepth = 64;

    void skipBlanks() {
        while (pos_ < in_.size() && (in_[pos_] == ' ' || in_[pos_] == '\t' || in_[pos_] == '\n' || in_[pos_] == '\r'))
            ++pos_;
    }

    bool take(char c) {
        skipBlanks();
        if (pos_ < in_.size() && in_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }

    bool literal(std::string_view word) {
        if (in_.substr(pos_).starts_with(word)) {
            pos_ += word.size();
            return true;
        }
        return false;
    }

    std::optional<JsonValue> parseValue(int depth) {
        if (depth > kMaxDepth)
            return std::nullopt;
        skipBlanks();
        if (pos_ >= in_.size())
            return std::nullopt;
        JsonValue v;
        const char c = in_[pos_];
        if (c == '{') {
            ++pos_;
            auto object = std::make_shared<JsonValue::Object>();
            if (!take('}')) {
                do {
                    skipBlanks();
                    auto name = parseString();
                    if (!name || !take(':'))
                        return std::nullopt;
                    auto member = parseValue(depth + 1);
                    if (!member)
                        return std::nullopt;
                    (*object)[*name] = std::move(*member);
                } while (take(','));
                if (!take('}'))
                    return std::nullopt;
            }
            v.data = std::move(object);
        } else if (c == '[') {
            ++pos_;
            auto array = std::make_shared<JsonValue::Array>();
            if (!take(']')) {
                do {
                    auto item = parseValue(depth + 1);
                    if (!item)
                        return std::nullopt;
                    array->push_back(std::move(*item));
                } while (take(','));
                if (!take(']'))
                    return std::nullopt;
            }
            v.data = std::move(array);
        } else if (c == '"') {
            auto text = parseString();
            if (!text)
                return std::nullopt;
            v.data = std::move(*text);
        } else if (literal("true")) {
            v.data = true;
        } else if (literal("false")) {
            v.data = false;
        } else if (literal("null")) {
            v.data = nullptr;
        } else {
            double number = 0;
            const auto [end, error] = std::from_chars(in_.data() + pos_, in_.data() + in_.size(), number);
            if (error != std::errc())
                return std::nullopt;
            pos_ = static_cast<std::size_t>(end - in_.data());
            v.data = number;
        }
        return v;
    }

    std::optional<std::string> parseString() {
        if (pos_ >= in_.size() || in_[pos_] != '"')
            return std::nullopt;
        ++pos_;
        std::string out;
        while (pos_ < in_.size()) {
            const char c = in_[pos_++];
            if (c == '"')
                return out;
            if (c != '\\') {
                out += c;
                continue;
            }
            if (pos_ >= in_.size())
                return std::nullopt;
            const char e = in_[pos_++];
            switch (e) {
            case '"':
            case '\\':
            case '/':
                out += e;
                break;
            case 'n':
                out += '\n';
                break;
            case 'r':
                out += '\r';
                break;
            case 't':
                out += '\t';
                break;
            case 'b':
                out += '\b';
                break;
            case 'f':
                out += '\f';
                break;
            case 'u': {
                auto unit = hex4();
                if (!unit)
                    return std::nullopt;
                char32_t code = *unit;
                if (code >= 0xD800 && code <= 0xDBFF && in_.substr(pos_).starts_with("\\u")) {
                    pos_ += 2;
                    auto low = hex4();
                    if (!low)
                        return std::nullopt;
                    code = 0x10000 + ((code - 0xD800) << 10) + (*low - 0xDC00);
                }
                kb::appendUtf8(out, code);
                break;
            }
            default:
                return std::nullopt;
            }
        }
        return std::nullopt;
    }

    std::optional<char32_t> hex4() {
        if (pos_ + 4 > in_.size())
            return std::nullopt;
        unsigned value = 0;
        const auto [end, error] = std::from_chars(in_.data() + pos_, in_.data() + pos_ + 4, value, 16);
        if (error != std::errc() || end != in_.data() + pos_ + 4)
            return std::nullopt;
        pos_ += 4;
        return static_cast<char32_t>(value);
    }

    std::string_view in_;
    std::size_t pos_ = 0;
};

} // namespace

std::optional<JsonValue> parseJson(std::string_view text) {
    return Parser(text).whole();
}

} // namespace kb
