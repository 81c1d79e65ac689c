#pragma once

#include <map>
#include <string>
#include <string_view>

namespace grayden {

// A member of a JSON object whose values are all strings, numbers, booleans or null.
struct FlatJsonValue {
    enum class Kind { String, Number, Boolean, Null } kind = Kind::Null;
    std::string text;  // a string's value
    double number = 0;
    bool boolean = false;
};
using FlatJsonObject = std::map<std::string, FlatJsonValue, std::less<>>;

// One object with no nested objects or arrays, white space around it allowed; false for
// anything else, including trailing text.
bool parseFlatJsonObject(std::string_view text, FlatJsonObject& object);

// Writes members one after another: {"a":1,"b":"x"}.
class FlatJsonWriter {
public:
    void string(std::string_view name, std::string_view value);
    // Finite numbers in their shortest exact form; anything else as null.
    void number(std::string_view name, double value);
    void boolean(std::string_view name, bool value);
    void null(std::string_view name);
    std::string finished() const { return text_ + "}"; }

private:
    void key(std::string_view name);
    void quoted(std::string_view value);
    std::string text_ = "{";
};

}  // namespace grayden
