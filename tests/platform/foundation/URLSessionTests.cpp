// Addresses, and the session that fetches them from servers on this machine: what it sends and
// gets, how failures, time-outs and cancellation end a task, and which redirects it follows.
#include <gtest/gtest.h>

#include <future>

#include "platform/foundation/RunLoop.hpp"
#include "platform/foundation/TransportSecurity.hpp"
#include "platform/foundation/URL.hpp"
#include "platform/foundation/URLSession.hpp"
#include "support/LocalHttpServer.hpp"
#include "support/ProxyEnvironment.hpp"

namespace {

TEST(URL, AcceptsAbsoluteURLsAndKeepsTheirText) {
    for (const std::string text :
         {"https://example.com", "http://example.com:8080/a/b?x=1&y=%20z#top", "HTTPS://Example.COM/",
          "https://[::1]:443/path", "https://user@host.example/", "mailto:someone@example.com", "radixelpro://open",
          "tel:+49-30-1234", "file:///tmp/a.png", "itms-apps://store/app/id123"}) {
        auto url = URL::string(text);
        ASSERT_TRUE(url) << text;
        EXPECT_EQ(url->absoluteString(), text);
    }
    EXPECT_EQ(URL::string("HTTPS://Example.COM:8443/rate?x=1")->host(), "Example.COM");
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
        "https://[::1]x/"s, "https://[::g]/"s,
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
    EXPECT_FALSE(foundation::isLoopbackURL("http://127.0.0.1@config.example/"));
    EXPECT_FALSE(foundation::isLoopbackURL("nonsense"));
}

using Request = LocalHttpServer::Request;
using Response = LocalHttpServer::Response;

struct Outcome {
    std::optional<std::string> data;
    std::optional<NSHTTPURLResponse> response;
    std::optional<NSError> error;
    bool onMainThread = true;
};

// Starts the task and waits for its completion (bounded, so a fault fails instead of hanging).
Outcome run(URLSession& session, const NSURLRequest& request) {
    auto promise = std::make_shared<std::promise<Outcome>>();
    auto task = session.dataTaskWithRequest(request, [promise](auto data, auto response, auto error) {
        promise->set_value(Outcome{std::move(data), std::move(response), std::move(error), RunLoop::isMainThread()});
    });
    task->resume();
    auto future = promise->get_future();
    if (future.wait_for(std::chrono::seconds(20)) != std::future_status::ready) ADD_FAILURE() << "no completion";
    EXPECT_EQ(task->state(), URLSessionDataTask::State::completed);
    return future.get();
}

NSURLRequest get(const std::string& url, double timeout = 60.0) { return {url, "GET", {}, "", timeout}; }

Response neverAnswer(const Request&) { return Response{200, {}, "", true}; }

TEST(URLSession, SendsTheRequestAndDeliversBodyStatusAndHeadersOnASessionThread) {
    LocalHttpServer server([](const Request& request) {
        bool found = request.path == "/config";
        return Response{found ? 200 : 404, {{"Content-Type", "application/json"}}, found ? "{}" : "missing", false};
    });
    NSURLRequest request = get(server.url("/config"));
    request.HTTPMethod = "POST";
    request.HTTPBody = R"({"appInstanceId":"x"})";
    request.allHTTPHeaderFields["Content-Type"] = "application/json";
    request.allHTTPHeaderFields["X-Evil"] = "a\r\nX-Injected: yes";
    Outcome ok = run(URLSession::sharedSession(), request);
    ASSERT_FALSE(ok.error) << ok.error->description();
    EXPECT_EQ(ok.data, "{}");
    EXPECT_EQ(ok.response->statusCode, 200);
    EXPECT_EQ(ok.response->allHeaderFields["content-type"], "application/json");
    EXPECT_FALSE(ok.onMainThread);
    auto seen = server.requests();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].method + " " + seen[0].path + " " + seen[0].body, R"(POST /config {"appInstanceId":"x"})");
    EXPECT_EQ(seen[0].headers["content-type"], "application/json");
    EXPECT_EQ(seen[0].headers.count("x-injected") + seen[0].headers.count("x-evil"), 0u);

    // An HTTP error status is a response, not a failure of the exchange.
    Outcome missing = run(URLSession::sharedSession(), get(server.url("/other")));
    EXPECT_FALSE(missing.error);
    EXPECT_EQ(missing.response->statusCode, 404);
}

TEST(URLSession, FailuresArriveAsErrorsWithoutData) {
    const int closedPort = LocalHttpServer().port();
    LocalHttpServer slow(neverAnswer);
    LocalHttpServer huge([](const Request&) { return Response{200, {}, std::string(64 * 1024, 'x'), false}; });
    URLSessionConfiguration bounded, limited;
    bounded.timeoutIntervalForResource = 0.3;
    limited.maximumResponseSize = 1024;
    URLSession boundedSession(bounded), limitedSession(limited);
    const std::tuple<URLSession&, NSURLRequest, std::int64_t> cases[] = {
        {URLSession::sharedSession(), get("http://127.0.0.1:" + std::to_string(closedPort) + "/"),
         NSURLErrorCannotConnectToHost},
        // Only HTTP and HTTPS: a local file must not be readable through the session.
        {URLSession::sharedSession(), get("file:///etc/hostname"), NSURLErrorUnsupportedURL},
        {URLSession::sharedSession(), get("http://[not a host"), NSURLErrorBadURL},
        {URLSession::sharedSession(), get(slow.url("/slow"), 0.3), NSURLErrorTimedOut},
        // The session's own bound applies even when the request asks for longer.
        {boundedSession, get(slow.url("/slow"), 3600), NSURLErrorTimedOut},
        {limitedSession, get(huge.url("/huge")), NSURLErrorDataLengthExceedsMaximum},
    };
    for (const auto& [session, request, code] : cases) {
        SCOPED_TRACE(request.URL);
        Outcome outcome = run(session, request);
        ASSERT_TRUE(outcome.error);
        EXPECT_EQ(outcome.error->domain, "NSURLErrorDomain");
        EXPECT_EQ(outcome.error->code, code);
        EXPECT_FALSE(outcome.data);
    }
}

TEST(URLSession, CancellingATaskOrDestroyingItsSessionCompletesItOnceAsCancelled) {
    LocalHttpServer server(neverAnswer);
    std::atomic<int> completions{0};
    std::promise<std::optional<NSError>> done;
    auto task = URLSession::sharedSession().dataTaskWithURL(server.url("/hang"), [&](auto, auto, auto error) {
        ++completions;
        done.set_value(error);
    });
    EXPECT_EQ(task->state(), URLSessionDataTask::State::suspended);
    task->resume();
    while (server.requests().empty()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    task->cancel();
    auto future = done.get_future();
    ASSERT_EQ(future.wait_for(std::chrono::seconds(20)), std::future_status::ready);
    EXPECT_EQ(future.get()->code, NSURLErrorCancelled);
    task->resume();  // a finished task does not start again
    task->cancel();
    EXPECT_EQ(completions, 1);

    std::atomic<int> cancelled{0};
    {
        URLSession session;
        auto count = [&](auto, auto, auto error) { cancelled += error && error->code == NSURLErrorCancelled; };
        // More than the session runs at once.
        for (int i = 0; i < 6; ++i) session.dataTaskWithURL(server.url("/hang"), count)->resume();
        while (server.requestCount() < 2) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    EXPECT_EQ(cancelled, 6);
}

// Redirects: every hop is checked before it is asked. Only loopback servers take part; a request
// to another host would reach the counting proxy that the environment names instead.
class URLSessionRedirects : public ::testing::Test {
protected:
    static Response redirectTo(const std::string& location, int status) {
        return Response{status, {{"Location", location}}, "", false};
    }
    URLSession secure{[] {
        URLSessionConfiguration configuration;
        configuration.requiresSecureTransport = true;
        return configuration;
    }()};
    LocalHttpServer proxy{[](const Request&) { return Response{200, {}, "from elsewhere", false}; }};
    ScopedProxyEnvironment proxyEnvironment{proxy.url("")};
};

TEST_F(URLSessionRedirects, HopsThatBreakTheRulesFailWithoutBeingAsked) {
    const auto insecure = NSURLErrorAppTransportSecurityRequiresSecureConnection;
    // Session, target of the redirect (empty: each hop adds to the path, without end), error, requests made.
    const std::tuple<URLSession&, std::string, std::int64_t, std::size_t> cases[] = {
        {secure, "http://192.0.2.1/config", insecure, 1},
        {secure, "http://127.0.0.1@192.0.2.1/config", insecure, 1},
        {secure, "http://127.0.0.1.example/config", insecure, 1},
        {secure, "http://[::ffff:192.0.2.1]/", insecure, 1},
        {URLSession::sharedSession(), "file:///etc/hostname", NSURLErrorUnsupportedURL, 1},
        {URLSession::sharedSession(), "ftp://127.0.0.1/config", NSURLErrorUnsupportedURL, 1},
        {URLSession::sharedSession(), "gopher://127.0.0.1/", NSURLErrorUnsupportedURL, 1},
        {secure, "", NSURLErrorHTTPTooManyRedirects, 6},
    };
    for (const auto& [session, target, code, asked] : cases) {
        SCOPED_TRACE(target);
        LocalHttpServer server(
            [&](const Request& r) { return target.empty() ? redirectTo(r.path + "x", 301) : redirectTo(target, 302); });
        Outcome outcome = run(session, get(server.url("/")));
        ASSERT_TRUE(outcome.error);
        EXPECT_EQ(outcome.error->code, code);
        EXPECT_FALSE(outcome.data);
        EXPECT_EQ(server.requestCount(), asked);
    }
    EXPECT_EQ(proxy.requestCount(), 0u) << "a refused hop was fetched";
}

// A 307 keeps a POST and its body, a 303 turns it into a GET; hops to this machine also bypass the
// proxy that the environment names.
TEST_F(URLSessionRedirects, ASecureSessionFollowsHopsThatKeepToTheRule) {
    LocalHttpServer target([](const Request& r) {
        return Response{200, {}, r.method + " " + r.path + " " + r.body, false};
    });
    const std::string final = "http://localhost:" + std::to_string(target.port()) + "/final";
    LocalHttpServer middle([&](const Request&) { return redirectTo(final, 303); });
    LocalHttpServer first([&](const Request&) { return redirectTo(middle.url("/next"), 307); });
    NSURLRequest post = get(first.url("/config"));
    post.HTTPMethod = "POST";
    post.HTTPBody = "p=2&q=1";
    Outcome outcome = run(secure, post);
    ASSERT_FALSE(outcome.error) << outcome.error->localizedDescription;
    EXPECT_EQ(middle.requests().at(0).method + " " + middle.requests().at(0).body, "POST p=2&q=1");
    EXPECT_EQ(outcome.data, "GET /final ");
    EXPECT_EQ(outcome.response->statusCode, 200);
    EXPECT_EQ(outcome.response->URL, final);
    EXPECT_EQ(proxy.requestCount(), 0u);
}

}  // namespace
