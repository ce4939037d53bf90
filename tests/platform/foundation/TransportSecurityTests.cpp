#include <gtest/gtest.h>

#include "platform/foundation/TransportSecurity.hpp"

TEST(TransportSecurity, HTTPSAnywherePlainHTTPOnlyToThisMachineJudgedByTheHost) {
    for (std::string allowed : {"https://config.example/v1", "HTTPS://config.example", "http://127.0.0.1:8080/config",
                                "http://localhost/", "HTTP://LOCALHOST:1/", "http://[::1]:9/x", "http://user@127.0.0.1/"})
        EXPECT_FALSE(foundation::insecureTransportProblem(allowed)) << allowed;
    for (std::string refused :
         {"http://config.example/", "http://127.0.0.1@config.example/", "http://127.0.0.1.config.example/",
          "http://localhost.config.example/", "http://192.0.2.1/", "http://[::ffff:127.0.0.2]/", "ftp://127.0.0.1/",
          "file:///etc/hostname", "127.0.0.1/config", "", "http://[not a host"})
        EXPECT_TRUE(foundation::insecureTransportProblem(refused)) << refused;
    EXPECT_TRUE(foundation::isLoopbackURL("http://127.0.0.1:5/"));
    EXPECT_TRUE(foundation::isLoopbackURL("https://localhost/"));
    EXPECT_FALSE(foundation::isLoopbackURL("http://127.0.0.1@config.example/"));
    EXPECT_FALSE(foundation::isLoopbackURL("nonsense"));
}
