#include <gtest/gtest.h>

#include <fstream>
#include <future>

#include <unistd.h>

#include <nlohmann/json.hpp>

#include "support/LocalHttpServer.hpp"
#include "support/ProxyEnvironment.hpp"
#include "support/ScratchFolder.hpp"
#include "platform/didevero/RADEvuvozUziduz.hpp"
#include "platform/foundation/DispatchClock.hpp"

namespace {

struct FetchResult {
    RADEvuvozUziduzFetchStatus status;
    std::optional<NSError> error;
    std::thread::id thread;
};

// Waits for the completion; the bound only keeps a broken client from hanging the test run.
template <typename T>
T await(std::future<T>& future) {
    if (future.wait_for(std::chrono::seconds(30)) != std::future_status::ready) {
        ADD_FAILURE() << "completion never ran";
        std::abort();
    }
    return future.get();
}

FetchResult fetch(RADEvuvozUziduz& client, double expiration = 0.0) {
    auto promise = std::make_shared<std::promise<FetchResult>>();
    auto future = promise->get_future();
    client.fetchWithExpirationDuration(expiration,
                                       [promise](RADEvuvozUziduzFetchStatus status, std::optional<NSError> error) {
                                           promise->set_value({status, std::move(error), std::this_thread::get_id()});
                                       });
    return await(future);
}

bool activate(RADEvuvozUziduz& client) {
    auto promise = std::make_shared<std::promise<bool>>();
    auto future = promise->get_future();
    client.activateWithCompletion([promise](bool changed, std::optional<NSError>) { promise->set_value(changed); });
    return await(future);
}

class RemoteConfigClientTest : public ::testing::Test {
protected:
    std::shared_ptr<RADEvuvozUziduz> makeClient(std::string endpoint) {
        auto client = std::make_shared<RADEvuvozUziduz>(
            RADEvuvozUziduz::Configuration{std::move(endpoint), directory.path() / "remote-config.json"});
        RADEvuvozUziduzSettings settings;
        settings.setMinimumFetchInterval(0.0);
        client->setConfigSettings(settings);
        return client;
    }

    ScratchFolder directory;
    LocalHttpServer server;
};

}  // namespace

TEST_F(RemoteConfigClientTest, FetchedValuesWaitForActivationAndSurviveARestart) {
    server.respond(200, R"({"apps": {"apps": []}, "note": "plain text", "count": 3})");
    auto client = makeClient(server.url("/config"));
    FetchResult result = fetch(*client);
    EXPECT_EQ(result.status, RADEvuvozUziduzFetchStatusSuccess);
    EXPECT_EQ(client->configValueForKey("apps").dataValue(), "");

    EXPECT_TRUE(activate(*client));
    EXPECT_EQ(nlohmann::json::parse(client->configValueForKey("apps").dataValue()),
              nlohmann::json::parse(R"({"apps": []})"));
    EXPECT_EQ(client->configValueForKey("note").dataValue(), "plain text");
    EXPECT_EQ(client->configValueForKey("count").dataValue(), "3");
    EXPECT_EQ(client->configValueForKey("missing").dataValue(), "");
    EXPECT_FALSE(activate(*client));

    auto restarted = makeClient("");
    EXPECT_EQ(restarted->configValueForKey("note").dataValue(), "plain text");
}

TEST_F(RemoteConfigClientTest, ExpirationAndMinimumFetchIntervalSpareTheServer) {
    struct VirtualTime {
        VirtualTime() { DispatchClock::useVirtualTime(); }
        ~VirtualTime() { DispatchClock::useRealTime(); }
    } virtualTime;
    server.respond(200, R"({"a": "1"})");
    auto client = makeClient(server.url("/config"));
    for (auto [wait, requests] : std::vector<std::pair<double, size_t>>{{0.0, 1}, {21000.0, 1}, {1000.0, 2}}) {
        DispatchClock::advance(wait);
        EXPECT_EQ(fetch(*client, 21600.0).status, RADEvuvozUziduzFetchStatusSuccess);
        EXPECT_EQ(server.requestCount(), requests) << "after " << wait << " s more";
    }

    RADEvuvozUziduzSettings settings;
    settings.setMinimumFetchInterval(600.0);
    client->setConfigSettings(settings);
    FetchResult throttled = fetch(*client, 0.0);
    EXPECT_EQ(throttled.status, RADEvuvozUziduzFetchStatusThrottled);
    EXPECT_TRUE(throttled.error.has_value());
    EXPECT_EQ(server.requestCount(), 2);
    DispatchClock::advance(600.0);
    EXPECT_EQ(fetch(*client, 0.0).status, RADEvuvozUziduzFetchStatusSuccess);
    EXPECT_EQ(server.requestCount(), 3);
}

TEST_F(RemoteConfigClientTest, UnusableResponsesFailAndKeepWhatIsHeld) {
    server.respond(200, R"({"ads": "kept"})");
    auto client = makeClient(server.url("/config"));
    ASSERT_EQ(fetch(*client).status, RADEvuvozUziduzFetchStatusSuccess);
    ASSERT_TRUE(activate(*client));

    const std::vector<std::pair<int, std::string>> responses = {
        {200, "not json at all"}, {200, std::string("{\"ads\": \"cut short\"}\0{\"offers\": 1}", 34)},
        {200, R"(["an", "array"])"}, {200, ""}, {500, R"({"ads": "from an error page"})"},
        {203, R"({"ads": "from a proxy"})"},
        {200, "{\"ads\": " + std::string(100000, '[') + std::string(100000, ']') + "}"},
        {200, "{\"ads\": \"" + std::string(RADEvuvozUziduz::maximumResponseBytes + 1024, 'x') + "\"}"}};
    for (const auto& [status, body] : responses) {
        server.respond(status, body);
        FetchResult result = fetch(*client);
        EXPECT_EQ(result.status, RADEvuvozUziduzFetchStatusFailure) << body.substr(0, 40);
        EXPECT_TRUE(result.error.has_value()) << body.substr(0, 40);
        EXPECT_FALSE(activate(*client)) << body.substr(0, 40);
        EXPECT_EQ(client->configValueForKey("ads").dataValue(), "kept");
    }
}

TEST_F(RemoteConfigClientTest, WithoutAnEndpointOrWithPlainHTTPToOtherHostsAFetchFailsOnABackgroundThread) {
    // Which hosts count as this machine is the transport rule's own concern, tested with it.
    for (std::string endpoint : {"", "http://radixel.example/config", "ftp://127.0.0.1/config"}) {
        SCOPED_TRACE(endpoint);
        auto client = makeClient(endpoint);
        FetchResult result = fetch(*client, 21600.0);
        EXPECT_EQ(result.status, RADEvuvozUziduzFetchStatusFailure);
        ASSERT_TRUE(result.error.has_value());
        EXPECT_EQ(result.error->domain, RADEvuvozUziduz::errorDomain);
        EXPECT_NE(result.thread, std::this_thread::get_id());
        EXPECT_EQ(client->configValueForKey("apps").dataValue(), "");
    }
}

TEST_F(RemoteConfigClientTest, AnUnreadableStoreStartsEmpty) {
    for (std::string contents : {"{broken", R"({"activatedValues": {"a": 1}})", "[]"}) {
        std::ofstream(directory.path() / "remote-config.json") << contents;
        testing::internal::CaptureStderr();
        auto client = makeClient("");
        std::string printed = testing::internal::GetCapturedStderr();
        EXPECT_EQ(client->configValueForKey("a").dataValue(), "");
        EXPECT_NE(printed.find("unreadable"), std::string::npos) << contents;
    }
}

TEST_F(RemoteConfigClientTest, AtStartOnlyLeftoversOfEndedWritersAreRemoved) {
    // Written by this running process (as another one on the folder would be), and by a pid never used.
    const std::string running = "remote-config.json.tmp-" + std::to_string(::getpid()) + "-a1B2c3";
    const std::string ended = "remote-config.json.tmp-2147483646-d4E5f6";
    std::ofstream(directory.path() / running) << "{\"activatedVal";
    std::ofstream(directory.path() / ended) << "{\"activatedVal";
    auto client = makeClient("");
    EXPECT_TRUE(std::filesystem::exists(directory.path() / running));
    EXPECT_FALSE(std::filesystem::exists(directory.path() / ended));
}

// The redirect rules are the session's; what matters here is that the client's session keeps them.
TEST_F(RemoteConfigClientTest, ARedirectMustKeepToTheSameRuleAsTheEndpoint) {
    // Another host would be reached through the environment's proxy, which counts.
    LocalHttpServer proxy;
    proxy.respond(200, R"({"apps": "from elsewhere"})");
    ScopedProxyEnvironment proxyEnvironment(proxy.url(""));
    LocalHttpServer redirecting([&](const LocalHttpServer::Request&) {
        return LocalHttpServer::Response{302, {{"Location", "http://192.0.2.1/config"}}, "", false};
    });
    auto refused = makeClient(redirecting.url("/away"));
    EXPECT_EQ(fetch(*refused).status, RADEvuvozUziduzFetchStatusFailure);
    EXPECT_FALSE(activate(*refused));
    EXPECT_EQ(refused->configValueForKey("apps").dataValue(), "");
    EXPECT_EQ(proxy.requestCount(), 0u);
}
