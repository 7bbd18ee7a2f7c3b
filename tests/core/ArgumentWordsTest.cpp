// How the parameter text of a program row becomes the program's arguments.
#include <gtest/gtest.h>

#include "core/ArgumentWords.h"

namespace vorbix {
namespace {

using Words = std::vector<std::string>;

struct Case {
    const char* text;
    Words words;
};

void expectSplits(std::initializer_list<Case> cases) {
    for (const Case& c : cases) EXPECT_EQ(splitArgumentWords(c.text), c.words) << c.text;
}

TEST(ArgumentWords, BlanksSeparateAndNothingIsExpanded) {
    expectSplits({
        {"", {}},
        {"  \t ", {}},
        {" -a  b\tc ", {"-a", "b", "c"}},
        {"a\r\nb\nc", {"a", "b", "c"}},
        {"a;b | c && $(rm -rf x) `id` > f *",
         {"a;b", "|", "c", "&&", "$(rm", "-rf", "x)", "`id`", ">", "f", "*"}},
        {"ümläut 😀 $HOME ~/x", {"ümläut", "😀", "$HOME", "~/x"}},
    });
}

TEST(ArgumentWords, DoubleQuotesAndBackslashesAsOnWindows) {
    expectSplits({
        {R"("hello world" it's ümläut 😀 $HOME a\"b)",
         {"hello world", "it's", "ümläut", "😀", "$HOME", "a\"b"}},
        {R"("two words" x"y z"w)", {"two words", "xy zw"}},
        {R"("" a "")", {"", "a", ""}},
        {R"("say \"hi\" \\ \n")", {R"(say "hi" \\ \n)"}},
        {R"(a\ b \"c C:\Temp\x \\d)", {"a\\", "b", "\"c", R"(C:\Temp\x)", "\\\\d"}},
        // Pairs of backslashes before a quote halve, an odd one makes the quote ordinary.
        {R"(a\\"b c" d\\\"e)", {R"(a\b c)", R"(d\"e)"}},
        // The quote after an odd backslash closes nothing, so the opening one is literal.
        {R"("C:\Program Files\App\" next)", {R"("C:\Program)", R"(Files\App")", "next"}},
        {R"("C:\Program Files\App\\" next)", {R"(C:\Program Files\App\)", "next"}},
        {R"("a""b" """")", {"a\"b", "\""}},
    });
}

TEST(ArgumentWords, ApostrophesQuoteOnlyWhereTheyOpenAndCloseAWord) {
    expectSplits({
        {"it's mine", {"it's", "mine"}},
        {"don't 'x'", {"don't", "x"}},
        {R"('a"b' '' a)", {"a\"b", "", "a"}},
        {"'it''s'", {"its"}},
        {"--name='v'", {"--name=v"}},
        {R"('single "q"')", {"single \"q\""}},
        {"-x 'a b'", {"-x", "a b"}},
        {"'a b' 'c'", {"a b", "c"}},
        {"it's 'a b' c", {"it's", "a b", "c"}},
        {"rock 'n' roll", {"rock", "n", "roll"}},
        // An apostrophe inside a word opens no quote across a blank.
        {"it's a 'b", {"it's", "a", "'b"}},
        {"x='a b'", {"x='a", "b'"}},
    });
}

TEST(ArgumentWords, AnUnclosedQuoteIsTakenLiterally) {
    expectSplits({
        {"\"open to the end", {"\"open", "to", "the", "end"}},
        {"x 'open", {"x", "'open"}},
        {R"("a\"b)", {"\"a\"b"}},
        {R"(a "b c" "d e)", {"a", "b c", "\"d", "e"}},
    });
}

}  // namespace
}  // namespace vorbix
