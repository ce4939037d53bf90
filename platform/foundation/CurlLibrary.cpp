#include "platform/foundation/CurlLibrary.hpp"

#include <dlfcn.h>

#include <mutex>

namespace foundation {
namespace {

// The library's file as the runtime package installs it, with its interface version.
constexpr const char* libraryFile = "libcurl.so.4";

struct Loaded {
    CurlLibrary library;
    bool ok = false;
    std::string error;
};

template <class Function>
bool bind(void* handle, const char* name, Function& target, std::string& error) {
    target = reinterpret_cast<Function>(dlsym(handle, name));
    if (!target) error = std::string(libraryFile) + " has no " + name;
    return target != nullptr;
}

Loaded load() {
    Loaded loaded;
    // Never closed: handles and callbacks may live until the process ends.
    void* handle = dlopen(libraryFile, RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* why = dlerror();
        loaded.error = why ? why : std::string(libraryFile) + " could not be opened";
        return loaded;
    }
    CurlLibrary& l = loaded.library;
    decltype(&curl_global_init) globalInit = nullptr;
    std::string& e = loaded.error;
    bool all = bind(handle, "curl_global_init", globalInit, e) && bind(handle, "curl_easy_init", l.easy_init, e) &&
               bind(handle, "curl_easy_cleanup", l.easy_cleanup, e) &&
               bind(handle, "curl_easy_setopt", l.easy_setopt, e) &&
               bind(handle, "curl_easy_perform", l.easy_perform, e) &&
               bind(handle, "curl_easy_getinfo", l.easy_getinfo, e) &&
               bind(handle, "curl_slist_append", l.slist_append, e) &&
               bind(handle, "curl_slist_free_all", l.slist_free_all, e) && bind(handle, "curl_url", l.url, e) &&
               bind(handle, "curl_url_cleanup", l.url_cleanup, e) && bind(handle, "curl_url_set", l.url_set, e) &&
               bind(handle, "curl_url_get", l.url_get, e) && bind(handle, "curl_free", l.free, e);
    if (!all) return loaded;
    if (globalInit(CURL_GLOBAL_DEFAULT) != CURLE_OK) {
        loaded.error = std::string(libraryFile) + " could not set itself up";
        return loaded;
    }
    loaded.ok = true;
    return loaded;
}

const Loaded& loadedOnce() {
    static const Loaded loaded = load();
    return loaded;
}

}  // namespace

const CurlLibrary* CurlLibrary::get() {
    const Loaded& loaded = loadedOnce();
    return loaded.ok ? &loaded.library : nullptr;
}

std::string CurlLibrary::loadError() { return loadedOnce().error; }

}  // namespace foundation
