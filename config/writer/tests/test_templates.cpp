/*
 * The templates as resources, and the placeholder replacement.
 */
#include "writertest.h"

#include <algorithm>
#include <stdlib.h>

namespace zv {

static std::string Take(char *text)
{
    std::string s = text ? text : "<null>";
    free(text);
    return s;
}

/* The lines that set a key: neither comments nor empty. */
static std::vector<std::string> KeyLines(const std::string &text)
{
    std::vector<std::string> keys;
    size_t start = 0, end;
    while ((end = text.find("\r\n", start)) != std::string::npos) {
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line[0] != ';')
            keys.push_back(line);
        start = end + 2;
    }
    std::sort(keys.begin(), keys.end());
    return keys;
}

TEST(Templates, EveryTemplateEndsAtItsMarkWithWholeCrLfLines)
{
    for (UINT id : { 600u, 610u, 620u, 630u, 640u, 650u }) {
        std::string text = Take(LoadTextFromResource(id));
        SCOPED_TRACE(id);
        ASSERT_GT(text.size(), 2u);
        EXPECT_EQ(std::string::npos, text.find("$EOF$"));
        EXPECT_EQ("\r\n", text.substr(text.size() - 2));
        for (size_t i = 0; i < text.size(); i++) {
            if (text[i] == '\n') {
                EXPECT_TRUE(i > 0 && text[i - 1] == '\r') << "bare LF at " << i;
            }
            if (text[i] == '\r') {
                EXPECT_TRUE(i + 1 < text.size() && text[i + 1] == '\n') << "bare CR at " << i;
            }
        }
    }
}

TEST(Templates, CommentedFormsSetTheSameKeysAsThePlainOnes)
{
    const UINT pairs[][2] = { { 600, 610 }, { 620, 630 }, { 640, 650 } };
    for (const auto &p : pairs) {
        std::vector<std::string> plain = KeyLines(Take(LoadTextFromResource(p[0])));
        std::vector<std::string> commented = KeyLines(Take(LoadTextFromResource(p[1])));
        /* the commented data part records its form differently */
        std::replace(plain.begin(), plain.end(), std::string("COMMENTS=0"), std::string("COMMENTS=1"));
        EXPECT_EQ(plain, commented) << p[0] << " and " << p[1];
    }
}

TEST(Templates, EndMarkIsOptionalAndTheFirstOneCounts)
{
    EXPECT_EQ("no mark here\r\n", Take(LoadTextFromResource(9000)));
    EXPECT_EQ("first\r\n", Take(LoadTextFromResource(9001)));
    EXPECT_EQ(NULL, LoadTextFromResource(9999));
}

TEST(SymbolReplacement, EveryOccurrenceOrNothing)
{
    char *text = _strdup("OPEN=%strOpen%\r\nSHELLEXECUTE=%strOpen%\r\n%other%");
    char *out = DoSymRep(text, "strOpen", "ZORVAN.EXE");
    EXPECT_EQ("OPEN=ZORVAN.EXE\r\nSHELLEXECUTE=ZORVAN.EXE\r\n%other%", Take(out));

    /* not found: NULL, and the text is still the caller's */
    char *keep = _strdup("nothing %here");
    EXPECT_EQ(NULL, DoSymRep(keep, "here", "x"));
    EXPECT_STREQ("nothing %here", keep);
    free(keep);

    EXPECT_EQ("a=;b=", Take(DoSymRep(_strdup("a=%v%;b=%v%"), "v", NULL)));
    EXPECT_EQ("a=", Take(DoSymRep(_strdup("a=%v%"), "v", "")));
    EXPECT_EQ("X:-30", Take(DoNumRep(_strdup("X:%n%"), "n", -30)));
}

TEST(SymbolReplacement, InsertedValuesAreNeverReplacedAgain)
{
    /* a value that holds its own placeholder ends after one pass */
    EXPECT_EQ("[%v%][%v%]", Take(DoSymRep(_strdup("[%v%][%v%]"), "v", "%v%")));
    EXPECT_EQ("%v%%v%", Take(DoSymRep(_strdup("%v%"), "v", "%v%%v%")));

    /* however long the values, nothing of the text is dropped */
    std::string big(5000, 'x');
    std::string out = Take(DoSymRep(_strdup("1%v%2%v%3%v%4 tail of the file"), "v", big.c_str()));
    EXPECT_EQ("1" + big + "2" + big + "3" + big + "4 tail of the file", out);
}

} // namespace zv
