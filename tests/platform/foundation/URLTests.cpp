#include <gtest/gtest.h>

#include "platform/foundation/TransportSecurity.hpp"
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
    using namespace std::string_literals;
    // clang-format off
    const std::string refused[] = {
        ""s, "example.com/path"s, "/path/only"s, "1http://example.com"s, "ht tp://example.com"s,  // scheme
        "https://exa mple.com"s, "https://example.com/a b"s, "https://example.com/\t"s, "https://example.com/\0x"s,
        "https://example.com/\x7f"s, "https://example.com/<script>"s, "https://example.com/{x}"s,
        "https://example.com/a|b"s, "https://example.com/\""s, "https://example.com/caf\xc3\xa9"s,  // characters
        "https://example.com/%zz"s, "https://example.com/%4"s, "https://example.com/#a#b"s,  // escapes, fragments
        "https://"s, "https:///path"s, "http:example.com"s, "https://example.com:80x/"s, "https://[::1/"s,  // host
    };
    // clang-format on
    for (const std::string& text : refused) EXPECT_FALSE(URL::string(text)) << text;
}

TEST(TransportSecurity, HTTPSAnywherePlainHTTPOnlyToThisMachineJudgedByTheHost) {
    for (std::string allowed :
         {"https://config.example/v1", "HTTPS://config.example", "http://127.0.0.1:8080/config", "http://localhost/",
          "HTTP://LOCALHOST:1/", "http://[::1]:9/x", "http://user@127.0.0.1/"})
        EXPECT_FALSE(foundation::insecureTransportProblem(allowed)) << allowed;
    for (std::string refused :
         {"http://config.example/", "http://127.0.0.1@config.example/", "http://127.0.0.1.config.example/",
          "http://localhost.config.example/", "http://192.0.2.1/", "http://[::ffff:127.0.0.2]/", "ftp://127.0.0.1/",
          "file:///etc/hostname", "127.0.0.1/config", "", "http://[not a host"})
        EXPECT_TRUE(foundation::insecureTransportProblem(refused)) << refused;
    // Decides which requests bypass a proxy: judged by the host too.
    EXPECT_TRUE(foundation::isLoopbackURL("https://localhost/"));
    EXPECT_FALSE(foundation::isLoopbackURL("http://127.0.0.1@config.example/"));
    EXPECT_FALSE(foundation::isLoopbackURL("nonsense"));
}
