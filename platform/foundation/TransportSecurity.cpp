#include "platform/foundation/TransportSecurity.hpp"

#include <algorithm>
#include <cctype>
#include <memory>

#include "platform/foundation/CurlLibrary.hpp"

namespace foundation {
namespace {

struct SchemeAndHost {
    std::string scheme;
    std::string host;
};

std::string lowercased(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

// Read with the parser of the library that makes the requests, so both see the same host.
std::optional<SchemeAndHost> schemeAndHost(const CurlLibrary& lib, const std::string& url) {
    std::unique_ptr<CURLU, decltype(&curl_url_cleanup)> parsed(lib.url(), lib.url_cleanup);
    if (!parsed || lib.url_set(parsed.get(), CURLUPART_URL, url.c_str(), CURLU_NON_SUPPORT_SCHEME) != CURLUE_OK)
        return std::nullopt;
    SchemeAndHost parts;
    for (auto [part, target] : {std::pair{CURLUPART_SCHEME, &parts.scheme}, std::pair{CURLUPART_HOST, &parts.host}}) {
        char* text = nullptr;
        if (lib.url_get(parsed.get(), part, &text, 0) != CURLUE_OK) return std::nullopt;
        *target = lowercased(text);
        lib.free(text);
    }
    return parts;
}

bool isLoopbackHost(const std::string& host) { return host == "127.0.0.1" || host == "localhost" || host == "[::1]"; }

}  // namespace

std::optional<std::string> insecureTransportProblem(const std::string& url) {
    const CurlLibrary* lib = CurlLibrary::get();
    if (!lib) return "\"" + url + "\" can't be checked: " + CurlLibrary::loadError();
    std::optional<SchemeAndHost> parts = schemeAndHost(*lib, url);
    if (!parts) return "\"" + url + "\" is not a valid address.";
    if (parts->scheme == "https") return std::nullopt;
    if (parts->scheme == "http" && isLoopbackHost(parts->host)) return std::nullopt;
    return "\"" + url + "\" is not an HTTPS address.";
}

bool isLoopbackURL(const std::string& url) {
    const CurlLibrary* lib = CurlLibrary::get();
    std::optional<SchemeAndHost> parts = lib ? schemeAndHost(*lib, url) : std::nullopt;
    return parts && isLoopbackHost(parts->host);
}

}  // namespace foundation
