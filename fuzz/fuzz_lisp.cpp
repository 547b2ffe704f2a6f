// Fuzz target for the AutoLISP reader and evaluator: any text is read and
// evaluated without a crash, and comes back with a value or an error. The
// host answers nothing (no drawing, no files, no input), and each input runs
// briefly: after a number of loop turns and function calls, or once the
// memory it holds passes a limit, the host signals a break, which the
// evaluator turns into an error.
#include <malloc.h>
#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#include <sanitizer/allocator_interface.h>
#endif
#endif

#include <cstdint>
#include <string>

#include "finding.h"
#include "lisp/interpreter.h"

using namespace cadhost::lisp;

namespace {

// Bytes the program holds on the heap: the sanitizer's count under the
// fuzzer, the C library's otherwise.
long long held_bytes() {
#if defined(__has_feature)
#if __has_feature(address_sanitizer)
    return static_cast<long long>(__sanitizer_get_current_allocated_bytes());
#endif
#endif
    return static_cast<long long>(mallinfo2().uordblks);
}

constexpr int k_max_polls = 20000;
constexpr long long k_max_held = 64ll << 20;
constexpr size_t k_max_output = 1 << 20;

class FuzzHost : public Host {
public:
    void print(const std::string& text) override {
        if (output.size() < k_max_output) output += text.substr(0, k_max_output - output.size());
    }
    bool take_break() override {
        if (!bounded) return false;
        return ++polls > k_max_polls || held_bytes() - held_at_start > k_max_held;
    }
    void start(bool bound) {
        bounded = bound;
        polls = 0;
        held_at_start = held_bytes();
        output.clear();
    }
    std::string output;

private:
    bool bounded = true;
    int polls = 0;
    long long held_at_start = 0;
};

FuzzHost& host() {
    static FuzzHost h;
    return h;
}

// Unbounded recursion must end in the evaluator's own depth check.
void check_stack_overflow() {
    Interpreter in(host());
    host().start(false);
    auto r = in.eval_string("(defun f (x) (f x)) (f 1)");
    if (r.ok() || host().output.find("; error: stack overflow") == std::string::npos)
        fuzz::finding("fuzz_lisp", "unbounded recursion did not stop with a stack overflow", host().output);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    check_stack_overflow();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);

    Interpreter in(host());
    host().start(true);
    (void)in.eval_string(text);
    return 0;
}
