#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/render/DesktopLinkOpener.hpp"
#include "support/ScratchFolder.hpp"

using render::DesktopLinkOpener;

TEST(DesktopLinkOpener, OpensOnlyWebAndMailLinksEachAsOneArgumentWithoutAShell)
{
    DesktopLinkOpener opener;
    for (const char* text : {"https://example.com", "HTTP://example.com", "mailto:a@example.com"}) {
        EXPECT_TRUE(opener.canOpen(*URL::string(text))) << text;
    }
    for (const char* text : {"file:///etc/passwd", "javascript:alert(1)", "radixelpro://open", "itms-apps://store"}) {
        EXPECT_FALSE(opener.canOpen(*URL::string(text))) << text;
        EXPECT_FALSE(opener.open(*URL::string(text))) << text; // refused before anything starts
    }
    // What a shell would act on stays inside the one argument; URL checking already refuses
    // spaces, quotes and backquotes, so none of them can split it.
    EXPECT_FALSE(URL::string("https://example.com/a;b&c=$(id)'x'?q=`1`"));
    auto url = URL::string("https://example.com/a;b&c=$(id)'x'");
    ASSERT_TRUE(url);
    EXPECT_EQ(DesktopLinkOpener::commandFor(*url), (std::vector<std::string>{"xdg-open", "https://example.com/a;b&c=$(id)'x'"}));
}

TEST(DesktopLinkOpener, AnOpenerThatCannotStartSaysSoInOneLine)
{
    ScratchFolder noPrograms;
    const std::string oldPath = std::getenv("PATH") ? std::getenv("PATH") : "";
    setenv("PATH", noPrograms.path().c_str(), 1);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(DesktopLinkOpener().open(*URL::string("https://example.com/")));
    std::string said = testing::internal::GetCapturedStderr();
    setenv("PATH", oldPath.c_str(), 1);
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1);
    EXPECT_NE(said.find("could not open https://example.com/"), std::string::npos) << said;
    EXPECT_NE(said.find("xdg-open"), std::string::npos) << said;
}
