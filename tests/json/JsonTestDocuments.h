#pragma once

#include <ostream>
#include <string_view>

using namespace std::literals;

// A document and what reading it gives: its value written as compact JSON, or the error message.
struct DocumentCase {
    std::string_view input;
    std::string_view expected;
};

inline void PrintTo(const DocumentCase& c, std::ostream* out) {
    *out << '\'' << c.input << '\'';
}

inline const DocumentCase kValidDocuments[] = {
    {"{}", "{}"},
    {"[]", "[]"},
    {" \t\n\r[ 1 , -2 ]\r\n ", "[1,-2]"},
    {R"({"b":1,"a":[true,false,null],"c":{}})", R"({"a":[true,false,null],"b":1,"c":{}})"},
    {R"({"a":1,"b":2,"a":3})", R"({"a":3,"b":2})"},
    // Members sorted and repeats resolved inside nested objects, small and large.
    {R"({"o":{"k19":0,"k18":1,"k17":2,"k16":3,"k15":4,"k14":5,"k13":6,"k12":7,"k11":8,"k10":9,"k09":10,"k08":11,"k07":12,"k06":13,"k05":14,"k04":15,"k03":16,"k02":17,"k01":18,"k00":19,"k05":"last"},"p":{"b":1,"a":2,"b":3}})",
     R"({"o":{"k00":19,"k01":18,"k02":17,"k03":16,"k04":15,"k05":"last","k06":13,"k07":12,"k08":11,"k09":10,"k10":9,"k11":8,"k12":7,"k13":6,"k14":5,"k15":4,"k16":3,"k17":2,"k18":1,"k19":0},"p":{"a":2,"b":3}})"},
    {R"([[[]],[{}],{"x":[{"y":[]}]}])", R"([[[]],[{}],{"x":[{"y":[]}]}])"},
    {R"(["\"\\\/\b\f\n\r\t"])", R"(["\"\\/\b\f\n\r\t"])"},
    {R"(["\u0041\u00e9\u4E2D", "\u0000", "\u001f"])", R"(["Aé中","\u0000","\u001f"])"},
    {R"(["\uD834\uDD1E", "\ud83d\ude00x"])", R"(["𝄞","😀x"])"},
    {R"({"chkerName":"陳大文 ü €","":""})", R"({"":"","chkerName":"陳大文 ü €"})"},
    {"[0,-0,5,-5,1.5e2,-1.5E+2,1e-2,0.5,1.0,2E0]", "[0,0,5,-5,15e1,-15e1,1e-2,5e-1,10e-1,2e0]"},
    {"[12345678901234567890,-12345678901234567890,0.00000000000000000001]",
     "[12345678901234567890e0,-12345678901234567890e0,1e-20]"},
    {"[1e99999999999999999999,1e-1000000000000000000]",
     "[1e1000000000000000000,1e-1000000000000000000]"},
    {R"({"isChker":"Y","chkerName":"6Zmz5aSn5paH","ver_ios":"1.0.1","url_ios":"http://x/a.ipa",)"
     R"("max_up_date":"1151231","msg":""})",
     R"({"chkerName":"6Zmz5aSn5paH","isChker":"Y","max_up_date":"1151231","msg":"",)"
     R"("url_ios":"http://x/a.ipa","ver_ios":"1.0.1"})"},
};

inline const DocumentCase kInvalidDocuments[] = {
    {"", "Unexpected end of input"},
    {"[", "Unexpected end of input"},
    {R"({"a":[1,{"b":)", "Unexpected end of input"},
    {"[nul", "Unexpected end of input"},
    {"[1,]", "Token 'end of array' not expected as array value"},
    {"1", "Token 'number' not expected before outer-most array or object"},
    {"-12 ", "Token 'number' not expected before outer-most array or object"},
    {R"("a")", "Token 'string' not expected before outer-most array or object"},
    {"true", "Token 'boolean' not expected before outer-most array or object"},
    {R"({"a" 1})", "Token 'number' not expected after object key"},
    {"{1:2}", "Token 'number' not expected at beginning of object"},
    {R"({"a":1,})", "Token 'end of object' not expected in place of object key"},
    {R"({"a":})", "Token 'end of object' not expected as object value"},
    {R"({"a":1 null})", "Token 'null' not expected after object value"},
    {"[true false]", "Token 'boolean' not expected after array value"},
    {"[:]", "Token 'key-value separator' not expected at array start"},
    {"{,}", "Token 'value separator' not expected at beginning of object"},
    {"[{]", "Token 'end of array' not expected at beginning of object"},
    {"{[", "Token 'start of array' not expected at beginning of object"},
    {"[]]", "Token 'end of array' not expected after outer-most array or object"},
    {"{}{", "Token 'start of object' not expected after outer-most array or object"},
    // Trailing text is refused even when it is cut off.
    {"[] 1", "Token 'number' not expected after outer-most array or object"},
    {R"({} "abc)", "Token 'string' not expected after outer-most array or object"},
    {"[+1]", "Leading + is illegal in number"},
    {"[x]", "Illegal start of token [x]"},
    {"[1]\xe4", "Illegal start of token [\xc3\xa4]"},
    {"[\0]"sv, "Illegal start of token [\0]"sv},
    {"[tru]", "Expected 'true' after initial 't'"},
    {"[fx", "Expected 'false' after initial 'f'"},
    {"[nil]", "Expected 'null' after initial 'n'"},
    {"[01]", "Leading zero is illegal in number"},
    {"[-00]", "Leading zero is illegal in number"},
    {"[-]", "No digits after initial minus"},
    {"[-a]", "No digits after initial minus"},
    {"[1.]", "No digits after decimal point"},
    {"[1.e3]", "No digits after decimal point"},
    {"[1e]", "No digits in exponent"},
    {"[1E+]", "No digits in exponent"},
    {"[\"\xff\"]", "Broken Unicode encoding"},
    {"[\"\xc0\x80\"]", "Broken Unicode encoding"},         // overlong NUL
    {"[\"\xe0\x80\xaf\"]", "Broken Unicode encoding"},     // overlong '/'
    {"[\"\xf0\x80\x80\xaf\"]", "Broken Unicode encoding"}, // overlong '/'
    {"[\"\xed\xa0\x80\"]", "Broken Unicode encoding"},     // encoded surrogate
    {"[\"\xf4\x90\x80\x80\"]", "Broken Unicode encoding"}, // beyond U+10FFFF
    {"[\"\xe4\xb8\"]", "Broken Unicode encoding"},         // cut-off sequence
    {"[\"a\tb\"]", "Unescaped control character [0x09]"},
    {"[\"\x1f\"]", "Unescaped control character [0x1F]"},
    {R"(["\x"])", "Illegal escape character"},
    {R"(["\'"])", "Illegal escape character"},
    {R"(["\u12G4"])", "Invalid hex quad"},
    {R"(["\u12"])", "Invalid hex quad"},
    {R"(["\uD834\uZZZZ"])", "Invalid hex quad"},
    {R"(["\uD834"])", "Missing low character in surrogate pair"},
    {R"(["\uD834x"])", "Missing low character in surrogate pair"},
    {R"(["\uD834\n"])", "Missing low character in surrogate pair"},
    {R"(["\uD834\u0041"])", "Invalid low character in surrogate pair"},
    {R"(["\uD834\uD834"])", "Invalid low character in surrogate pair"},
    {R"(["\uDD1E"])", "Invalid high character in surrogate pair"},
};
