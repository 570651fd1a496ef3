// The charset a fetched page declares: from the HTTP header first, else from a meta tag.
#include <gtest/gtest.h>

#include "browser/PageCharset.h"

namespace kelmaz {
namespace {

TEST(PageCharset, HeaderParameterWinsOverTheMetaTag) {
    EXPECT_EQ(declaredPageCharset("text/html; charset=Shift_JIS", "<meta charset=\"utf-8\">"),
              "Shift_JIS");
    EXPECT_EQ(declaredPageCharset("text/html;Charset=\"EUC-JP\"", ""), "EUC-JP");
}

TEST(PageCharset, MetaTagOfEitherFormIsFound) {
    EXPECT_EQ(declaredPageCharset("text/html", "<html><head><META CHARSET=utf-8></head>"), "utf-8");
    EXPECT_EQ(declaredPageCharset(
                  "",
                  "<HTML><HEAD><TITLE>WtGobanApplet</TITLE>\n"
                  "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=x-sjis\">"),
              "x-sjis");
}

TEST(PageCharset, NothingDeclaredGivesEmpty) {
    EXPECT_EQ(declaredPageCharset("text/html", "<html><body>charset is a word</body></html>"), "");
    EXPECT_EQ(declaredPageCharset("", "<meta name=\"description\" content=\"charset=\">"), "");
    // A meta tag cut off at the end of the page does not read past it.
    EXPECT_EQ(declaredPageCharset("", "<meta charset="), "");
}

TEST(PageCharset, MetaTagFarDownIsNotLookedFor) {
    const std::string page = std::string(70 * 1024, ' ') + "<meta charset=utf-8>";
    EXPECT_EQ(declaredPageCharset("", page), "");
}

}  // namespace
}  // namespace kelmaz
