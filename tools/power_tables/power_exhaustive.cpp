// Checks the map's power for every float x in [0, 1] (+0 to 1, 0x3f800001
// values) at each gamma given, on all cores, and prints the number of
// results that are not correctly rounded. Not part of the tests.
//   --oracle mpfr (the default): every result against GNU MPFR, a few
//     microseconds each, so hours on two cores;
//   --oracle llvm: every result against LLVM's correctly rounded powf, and
//     every disagreement decided by MPFR (minutes);
//   --stride N: only every N-th float (its encoding a multiple of N).
// Usage: power_exhaustive [--oracle mpfr|llvm] [--stride N] [gamma...]
//   (default gammas: 2.2 and 1/2.2 as floats)
#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <thread>
#include <vector>

#include "exact_power/exact_power.h"
#include "exact_power/llvm_powf.h"
#include "shading/bit_cast.h"
#include "shading/power.h"

using aurivel::BitsOf;
using aurivel::FloatFromBits;

namespace {

constexpr std::uint32_t kOneBits = 0x3f800000u;
constexpr std::uint32_t kChunk = 1u << 16;
constexpr int kReportedMismatches = 10;

enum class Oracle { kMpfr, kLlvm };

class Check {
public:
    Check(float gamma, Oracle oracle, std::uint32_t stride) : gamma_(gamma), oracle_(oracle), stride_(stride) {}

    // Workers take chunks of x until all of [0, 1] is done.
    void Work() {
        for (;;) {
            const std::uint64_t first = next_.fetch_add(kChunk);
            if (first > kOneBits) {
                return;
            }
            const std::uint64_t last = first + kChunk - 1 < kOneBits ? first + kChunk - 1 : kOneBits;
            for (std::uint64_t bits = first; bits <= last; ++bits) {
                if (bits % stride_ == 0) {
                    Compare(FloatFromBits(static_cast<std::uint32_t>(bits)));
                }
            }
        }
    }

    std::uint64_t mismatches() const { return mismatches_; }
    std::uint64_t count() const { return (std::uint64_t{kOneBits} + stride_) / stride_; }

private:
    void Compare(float x) {
        const float got = aurivel::Power(x, gamma_);
        if (oracle_ == Oracle::kLlvm && BitsOf(got) == BitsOf(aurivel::reference::LlvmPowf(x, gamma_))) {
            return;
        }
        const float want = aurivel::reference::ExactPower(x, gamma_);
        if (BitsOf(got) == BitsOf(want)) {
            return;
        }
        if (mismatches_.fetch_add(1) < kReportedMismatches) {
            const std::lock_guard<std::mutex> lock(print_);
            std::printf("  x = %a: %a, correctly rounded %a\n", static_cast<double>(x), static_cast<double>(got),
                        static_cast<double>(want));
        }
    }

    float gamma_;
    Oracle oracle_;
    std::uint32_t stride_;
    std::atomic<std::uint64_t> next_{0};
    std::atomic<std::uint64_t> mismatches_{0};
    std::mutex print_;
};

}  // namespace

int main(int argc, char** argv) {
    Oracle oracle = Oracle::kMpfr;
    std::uint32_t stride = 1;
    int first = 1;
    for (; first + 1 < argc && std::strncmp(argv[first], "--", 2) == 0; first += 2) {
        const char* value = argv[first + 1];
        if (std::strcmp(argv[first], "--oracle") == 0 && (!std::strcmp(value, "mpfr") || !std::strcmp(value, "llvm"))) {
            oracle = std::strcmp(value, "llvm") == 0 ? Oracle::kLlvm : Oracle::kMpfr;
        } else if (std::strcmp(argv[first], "--stride") == 0 && std::strtoul(value, nullptr, 10) > 0) {
            stride = static_cast<std::uint32_t>(std::strtoul(value, nullptr, 10));
        } else {
            std::fprintf(stderr, "power_exhaustive: bad option %s %s\n", argv[first], value);
            return 2;
        }
    }
    std::vector<float> gammas;
    for (int i = first; i < argc; ++i) {
        char* end = nullptr;
        gammas.push_back(std::strtof(argv[i], &end));
        if (end == argv[i] || *end != '\0') {
            std::fprintf(stderr, "power_exhaustive: not a number: %s\n", argv[i]);
            return 2;
        }
    }
    if (gammas.empty()) {
        gammas = {2.2f, 1.0f / 2.2f};
    }
    const unsigned threads = std::thread::hardware_concurrency() == 0 ? 1 : std::thread::hardware_concurrency();
    std::uint64_t total = 0;
    for (const float gamma : gammas) {
        const auto start = std::chrono::steady_clock::now();
        Check check(gamma, oracle, stride);
        std::vector<std::thread> workers;
        for (unsigned i = 0; i < threads; ++i) {
            workers.emplace_back([&check] { check.Work(); });
        }
        for (std::thread& worker : workers) {
            worker.join();
        }
        const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
        std::printf("gamma %.9g (%a), oracle %s: %llu of %llu results not correctly rounded (%.0f s, %u threads)\n",
                    static_cast<double>(gamma), static_cast<double>(gamma), oracle == Oracle::kLlvm ? "llvm" : "mpfr",
                    static_cast<unsigned long long>(check.mismatches()), static_cast<unsigned long long>(check.count()),
                    seconds.count(), threads);
        std::fflush(stdout);
        total += check.mismatches();
    }
    return total == 0 ? 0 : 1;
}
