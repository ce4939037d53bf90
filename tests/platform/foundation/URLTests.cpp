#include <gtest/gtest.h>

#include <string>

#include "platform/foundation/URL.hpp"

TEST(URL, AcceptsAbsoluteURLsAndKeepsTheirText) {
    for (const std::string text :
         {"https://example.com", "http://example.com:8080/a/b?x=1&y=%20z#top", "HTTPS://Example.COM/",
          "https://[::1]:443/path", "https://user@host.example/", "mailto:someone@example.com", "radixelpro://open",
          "tel:+49-30-1234", "file:///tmp/a.png", "itms-apps://store/app/id123"}) {
        auto url = URL::string(text);
        ASSERT_TRUE(url) << text;
        EXPECT_EQ(url->absoluteString(), text);
    }
    auto url = URL::string("HTTPS://Example.COM:8443/rate?x=1");
    EXPECT_EQ(url->scheme(), "https");
    EXPECT_EQ(url->host(), "Example.COM");
    EXPECT_EQ(URL::string("https://[::1]:443/")->host(), "[::1]");
    EXPECT_EQ(URL::string("mailto:a@b.c")->host(), std::nullopt);
}

TEST(URL, RefusesWhatIsNotAnAbsoluteURL) {
    // No scheme or a bad one; spaces, control, forbidden and non-ASCII characters; broken escapes;
    // two fragments; http(s) without a host; a port that is not a number; an unclosed IPv6 literal.
    for (const std::string& text : {std::string(),
                                    std::string("example.com/path"),
                                    std::string("/path/only"),
                                    std::string("1http://example.com"),
                                    std::string("ht tp://example.com"),
                                    std::string("https://exa mple.com"),
                                    std::string("https://example.com/a b"),
                                    std::string("https://example.com/\t"),
                                    std::string("https://example.com/\0x", 22),
                                    std::string("https://example.com/\x7f"),
                                    std::string("https://example.com/<script>"),
                                    std::string("https://example.com/{x}"),
                                    std::string("https://example.com/a|b"),
                                    std::string("https://example.com/\""),
                                    std::string("https://example.com/caf\xc3\xa9"),
                                    std::string("https://example.com/%zz"),
                                    std::string("https://example.com/%4"),
                                    std::string("https://example.com/#a#b"),
                                    std::string("https://"),
                                    std::string("https:///path"),
                                    std::string("http:example.com"),
                                    std::string("https://example.com:80x/"),
                                    std::string("https://[::1/")})
        EXPECT_FALSE(URL::string(text)) << text;
}
