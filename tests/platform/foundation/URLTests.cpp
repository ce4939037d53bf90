#include <gtest/gtest.h>

#include <string>
#include <vector>

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
    const std::vector<std::string> refused = {
        "",                                          // nothing
        "example.com/path",                          // no scheme: a relative reference
        "/path/only",                                //
        "1http://example.com",                       // a scheme starts with a letter
        "ht tp://example.com",                       // spaces
        "https://exa mple.com",                      //
        "https://example.com/a b",                   //
        "https://example.com/\t",                    // control characters
        std::string("https://example.com/\0x", 22),  //
        "https://example.com/\x7f",                  //
        "https://example.com/<script>",              // characters a URL may not carry
        "https://example.com/{x}",                   //
        "https://example.com/a|b",                   //
        "https://example.com/\"",                    //
        "https://example.com/caf\xc3\xa9",           // non-ASCII
        "https://example.com/%zz",                   // broken escapes
        "https://example.com/%4",                    //
        "https://example.com/#a#b",                  // two fragments
        "https://",                                  // http and https need a host
        "https:///path",                             //
        "http:example.com",                          //
        "https://example.com:80x/",                  // a port is a number
        "https://[::1/",                             // an unclosed IPv6 literal
    };
    for (const auto& text : refused) {
        EXPECT_FALSE(URL::string(text)) << text;
    }
}
