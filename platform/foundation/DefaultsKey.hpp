#pragma once

#include <cmath>
#include <cstdint>
#include <exception>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <utility>

#include <nlohmann/json.hpp>

#include "platform/foundation/NSUserDefaults.hpp"

// A typed key of the standard user defaults: its name, the type of its value and the value read
// when the key holds none, or a value that does not convert to the type:
//
//     inline const DefaultsKey<std::int64_t> counterForRating{"counterForRating", 5};
//     counterForRating.set(counterForRating.get() - 1);
//
// Booleans, integers and floating-point numbers follow NSUserDefaults' typed reads; texts must be
// texts; any other type is converted with its nlohmann::json to_json / from_json (records that
// can be encoded). An optional type stores its value, and removes the key for none.
template <typename T>
class DefaultsKey {
public:
    DefaultsKey(std::string name, T defaultValue) : name_(std::move(name)), defaultValue_(std::move(defaultValue)) {}

    const std::string& name() const { return name_; }
    const T& defaultValue() const { return defaultValue_; }

    T get() const { return get(*NSUserDefaults::standardUserDefaults()); }
    void set(const T& value) const { set(*NSUserDefaults::standardUserDefaults(), value); }
    void remove() const { NSUserDefaults::standardUserDefaults()->removeObjectForKey(name_); }
    bool hasValue() const { return NSUserDefaults::standardUserDefaults()->objectForKey(name_).has_value(); }

    T get(const NSUserDefaults& defaults) const {
        std::optional<nlohmann::json> stored = defaults.objectForKey(name_);
        if (!stored) return defaultValue_;
        return decode(*stored).value_or(defaultValue_);
    }

    void set(NSUserDefaults& defaults, const T& value) const {
        if constexpr (isOptional<T>::value) {
            if (!value) return defaults.removeObjectForKey(name_);
            defaults.setObject(nlohmann::json(*value), name_);
        } else {
            defaults.setObject(nlohmann::json(value), name_);
        }
    }

private:
    template <typename U>
    struct isOptional : std::false_type {};
    template <typename U>
    struct isOptional<std::optional<U>> : std::true_type {};

    static std::optional<T> decode(const nlohmann::json& value) {
        if constexpr (std::is_same_v<T, bool>) {
            if (value.is_boolean()) return value.get<bool>();
            if (value.is_number_integer()) return value.get<std::int64_t>() != 0;
            if (value.is_number_float()) return value.get<double>() != 0.0;
            return std::nullopt;
        } else if constexpr (std::is_integral_v<T>) {
            if (value.is_boolean()) return static_cast<T>(value.get<bool>() ? 1 : 0);
            if (value.is_number_integer()) {
                // Out-of-range stored numbers fall back to the default rather than wrap around.
                if (value.is_number_unsigned()) {
                    std::uint64_t n = value.get<std::uint64_t>();
                    if (n > static_cast<std::uint64_t>(std::numeric_limits<T>::max())) return std::nullopt;
                    return static_cast<T>(n);
                }
                std::int64_t n = value.get<std::int64_t>();
                if (n < static_cast<std::int64_t>(std::numeric_limits<T>::min()) ||
                    (n > 0 && static_cast<std::uint64_t>(n) > static_cast<std::uint64_t>(std::numeric_limits<T>::max())))
                    return std::nullopt;
                return static_cast<T>(n);
            }
            if (value.is_number_float()) {
                // 4.0 is the integer 4; 4.5 is not an integer at all.
                double d = value.get<double>();
                if (d == std::trunc(d) && d >= static_cast<double>(std::numeric_limits<T>::min()) &&
                    d < std::ldexp(1.0, std::numeric_limits<T>::digits))
                    return static_cast<T>(d);
            }
            return std::nullopt;
        } else if constexpr (std::is_floating_point_v<T>) {
            if (value.is_boolean()) return value.get<bool>() ? T(1) : T(0);
            if (value.is_number()) return value.get<T>();
            return std::nullopt;
        } else if constexpr (std::is_same_v<T, std::string>) {
            if (value.is_string()) return value.get<std::string>();
            return std::nullopt;
        } else if constexpr (isOptional<T>::value) {
            using Wrapped = typename T::value_type;
            std::optional<Wrapped> inner = DefaultsKey<Wrapped>::decodeValue(value);
            if (!inner) return std::nullopt;
            return T(std::move(*inner));
        } else {
            try {
                return value.get<T>();
            } catch (const std::exception&) {
                // A stored record of another shape reads as the default, like any wrong type.
                return std::nullopt;
            }
        }
    }

    template <typename>
    friend class DefaultsKey;
    static std::optional<T> decodeValue(const nlohmann::json& value) { return decode(value); }

    std::string name_;
    T defaultValue_;
};
