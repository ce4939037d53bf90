#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/render/DesktopLinkOpener.hpp"

using render::DesktopLinkOpener;

namespace {

// Puts PATH back when the test ends.
class ScopedPath {
public:
    explicit ScopedPath(const std::string& path)
    {
        if (const char* old = std::getenv("PATH")) {
            old_ = old;
        }
        setenv("PATH", path.c_str(), 1);
    }
    ~ScopedPath()
    {
        if (old_) {
            setenv("PATH", old_->c_str(), 1);
        } else {
            unsetenv("PATH");
        }
    }

private:
    std::optional<std::string> old_;
};

} // namespace

TEST(DesktopLinkOpener, TheURLIsOneArgumentOfItsOwnWithoutAShell)
{
    // What a shell would act on stays inside the one argument; URL checking already refuses
    // spaces and quotes, so none of them can split it.
    auto url = URL::string("https://example.com/a;b&c=$(id)'x'?q=`1`");
    ASSERT_FALSE(url); // backquotes are not URL characters
    url = URL::string("https://example.com/a;b&c=$(id)'x'");
    ASSERT_TRUE(url);
    EXPECT_EQ(DesktopLinkOpener::commandFor(*url), (std::vector<std::string>{"xdg-open", "https://example.com/a;b&c=$(id)'x'"}));
}

TEST(DesktopLinkOpener, TakesOnlyWebAndMailLinks)
{
    DesktopLinkOpener opener;
    EXPECT_TRUE(opener.canOpen(*URL::string("https://example.com")));
    EXPECT_TRUE(opener.canOpen(*URL::string("HTTP://example.com")));
    EXPECT_TRUE(opener.canOpen(*URL::string("mailto:a@example.com")));
    for (const char* text : {"file:///etc/passwd", "javascript:alert(1)", "radixelpro://open", "itms-apps://store"}) {
        EXPECT_FALSE(opener.canOpen(*URL::string(text))) << text;
        EXPECT_FALSE(opener.open(*URL::string(text))) << text; // refused before anything starts
    }
}

TEST(DesktopLinkOpener, AnOpenerThatCannotStartSaysSoInOneLine)
{
    auto empty = std::filesystem::temp_directory_path() / ("radixel-no-programs-" + std::to_string(::getpid()));
    std::filesystem::create_directories(empty);
    {
        ScopedPath path(empty.string());
        testing::internal::CaptureStderr();
        EXPECT_FALSE(DesktopLinkOpener().open(*URL::string("https://example.com/")));
        std::string said = testing::internal::GetCapturedStderr();
        EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1);
        EXPECT_NE(said.find("could not open https://example.com/"), std::string::npos) << said;
        EXPECT_NE(said.find("xdg-open"), std::string::npos) << said;
    }
    std::filesystem::remove_all(empty);
}
