#pragma once
// Script values as the engine hands them to native functions: 64-bit integers.
//
// A value in the 32-bit signed range is that integer, so the raw value 1 is the number 1.
// Everything else carries a tag in its upper half (0x40000000'kk'xxxxxxxx): undefined, null,
// booleans and strings (whose lower half is a handle into the engine's string table). Other
// 64-bit values are taken as plain numbers.
#include <cstdint>
#include <string>
#include <vector>

#include "WebEngineApi.h"

namespace devengine {

enum class ValueKind { Integer, Undefined, Null, Boolean, String, Number };

jsValue MakeInteger(int32_t value);
jsValue MakeUndefined();
jsValue MakeNull();
jsValue MakeBoolean(bool value);
// The text stays readable while it is among the 4096 newest strings made.
jsValue MakeString(const std::string& utf8);

ValueKind KindOf(jsValue value);
// As script converts to a 32-bit integer: numeric text is parsed, anything else is 0.
int32_t ToInt32(jsValue value);
// As script converts to text: "undefined", "null", "true", decimal numbers, the string itself.
std::string ToText(jsValue value);

// Script literals: 7, -3, 'text', "text" (with \\ \' \" \n \t \uXXXX escapes), true, false,
// null, undefined. Numbers must fit in 32 bits.
bool ParseLiteral(const std::string& text, jsValue* value, std::string* error);
// A comma-separated list of literals; empty text is an empty list.
bool ParseArgumentList(const std::string& text, std::vector<jsValue>* values, std::string* error);
// "Name(arg, ...)" or "Name": a function name (letters, digits, _ and $) and its arguments.
bool ParseCall(const std::string& text, std::string* name, std::vector<jsValue>* args, std::string* error);
// The name of the function a script calls first: the leading identifier (dots allowed) of
// "changeBigWindow()", "  app.show(1);" ...; empty when the script does not start with one.
std::string LeadingFunctionName(const std::string& script);

}  // namespace devengine
