// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A value, or why there is none: the one way a routine that can fail
// says so. The message is in the learner's words; the routine never shows
// it. Whoever the learner is talking to (an entry point of a window, a
// command) decides how to tell it.
#include <optional>
#include <string>
#include <utility>

namespace kelvora {

// A failure always says why.
inline std::string FailureText(std::string why) { return why.empty() ? "it failed for a reason not known" : why; }

template <class T>
class [[nodiscard]] Result {
public:
    Result(T value) : value_(std::move(value)) {}
    static Result Failed(std::string why) {
        Result r;
        r.error_ = FailureText(std::move(why));
        return r;
    }
    bool ok() const { return value_.has_value(); }
    explicit operator bool() const { return ok(); }
    const std::string& error() const { return error_; }
    T& operator*() { return *value_; }
    const T& operator*() const { return *value_; }
    T* operator->() { return &*value_; }
    const T* operator->() const { return &*value_; }

private:
    Result() = default;
    std::optional<T> value_;
    std::string error_;
};

// Done, or why not.
template <>
class [[nodiscard]] Result<void> {
public:
    Result() = default;
    static Result Failed(std::string why) {
        Result r;
        r.error_ = FailureText(std::move(why));
        return r;
    }
    bool ok() const { return error_.empty(); }
    explicit operator bool() const { return ok(); }
    const std::string& error() const { return error_; }

private:
    std::string error_;
};

}  // namespace kelvora
