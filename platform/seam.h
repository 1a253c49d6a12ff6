#pragma once
// A seam is the one place where the program asks the desktop for something
// that a person answers (a message box, a file name) or that depends on the
// machine (the screen). Production code calls the real function; a test may
// put a scripted one in its place and take it out again.
#include <functional>
#include <utility>

namespace platform {

template <typename Signature>
class Seam {
public:
    explicit Seam(std::function<Signature> real) : real_(std::move(real)) {}

    template <typename... Args>
    decltype(auto) operator()(Args&&... args) const
    {
        return (fake_ ? fake_ : real_)(std::forward<Args>(args)...);
    }

    // An empty function restores the real one.
    void replace(std::function<Signature> fake) { fake_ = std::move(fake); }

private:
    std::function<Signature> real_;
    std::function<Signature> fake_;
};

} // namespace platform
