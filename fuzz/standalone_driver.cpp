// Runs a fuzz target without libFuzzer: first every sample input named on the command line (files,
// or folders of files), then random and mutated inputs until a count or a time runs out. A failed
// check inside the target aborts the program, which fails the test that runs it.
//
//   fuzz_x [-runs=N] [-max_total_time=SECONDS] [-random_start=N] [sample files or folders...]
#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

using Input = std::vector<std::uint8_t>;

// The input under test, written to "crash-input" in the working folder when the target aborts or
// crashes, so the failure can be replayed by passing that file.
const Input* current = nullptr;

extern "C" void SaveCurrentInput(int signal)
{
    if (current) {
        const int file = ::open("crash-input", O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (file >= 0) {
            [[maybe_unused]] const auto written = ::write(file, current->data(), current->size());
            ::close(file);
        }
        static const char note[] = "failing input written to crash-input\n";
        [[maybe_unused]] const auto shown = ::write(2, note, sizeof note - 1);
    }
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

void Run(const Input& input)
{
    current = &input;
    LLVMFuzzerTestOneInput(input.data(), input.size());
    current = nullptr;
}

void AddSampleFile(const std::filesystem::path& path, std::vector<Input>& samples)
{
    std::ifstream file(path, std::ios::binary);
    samples.emplace_back(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void AddSamples(const std::filesystem::path& path, std::vector<Input>& samples)
{
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) {
        std::vector<std::filesystem::path> files;
        for (const auto& entry : std::filesystem::directory_iterator(path, error))
            if (entry.is_regular_file())
                files.push_back(entry.path());
        std::sort(files.begin(), files.end());  // same order every run
        for (const auto& file : files)
            AddSampleFile(file, samples);
    } else if (std::filesystem::is_regular_file(path, error)) {
        AddSampleFile(path, samples);
    } else {
        std::fprintf(stderr, "no sample input at %s\n", path.string().c_str());
    }
}

class Mutator {
public:
    Mutator(std::uint64_t randomStart, const std::vector<Input>& samples) : random_(randomStart), samples_(samples) {}

    Input next()
    {
        if (samples_.empty() || chance(4))
            return randomInput();
        Input input = samples_[below(samples_.size())];
        const std::size_t edits = 1 + below(4);
        for (std::size_t i = 0; i < edits; ++i)
            mutate(input);
        return input;
    }

private:
    std::size_t below(std::size_t n)
    {
        return n == 0 ? 0 : std::uniform_int_distribution<std::size_t>(0, n - 1)(random_);
    }
    bool chance(std::size_t oneIn) { return below(oneIn) == 0; }

    std::uint8_t randomByte()
    {
        // Mostly printable text with the characters that matter to parsers, sometimes any byte.
        static const char favoured[] = "0123456789.$xX-+ \\/:abcdefhlmt#\b";
        if (chance(4))
            return static_cast<std::uint8_t>(below(256));
        return static_cast<std::uint8_t>(favoured[below(sizeof favoured - 1)]);
    }

    Input randomInput()
    {
        Input input(below(64));
        for (auto& byte : input)
            byte = randomByte();
        return input;
    }

    void mutate(Input& input)
    {
        switch (below(6)) {
        case 0:  // change a byte
            if (!input.empty())
                input[below(input.size())] = randomByte();
            break;
        case 1:  // flip a bit
            if (!input.empty())
                input[below(input.size())] ^= static_cast<std::uint8_t>(1u << below(8));
            break;
        case 2:  // insert a byte
            input.insert(input.begin() + static_cast<std::ptrdiff_t>(below(input.size() + 1)), randomByte());
            break;
        case 3:  // erase a run
            if (!input.empty()) {
                const std::size_t at = below(input.size());
                const std::size_t length = 1 + below(std::min<std::size_t>(8, input.size() - at));
                input.erase(input.begin() + static_cast<std::ptrdiff_t>(at),
                            input.begin() + static_cast<std::ptrdiff_t>(at + length));
            }
            break;
        case 4: {  // splice in a piece of another sample
            const Input& other = samples_[below(samples_.size())];
            if (other.empty())
                break;
            const std::size_t from = below(other.size());
            const std::size_t length = 1 + below(other.size() - from);
            input.insert(input.begin() + static_cast<std::ptrdiff_t>(below(input.size() + 1)),
                         other.begin() + static_cast<std::ptrdiff_t>(from),
                         other.begin() + static_cast<std::ptrdiff_t>(from + length));
            break;
        }
        default:  // cut the tail
            input.resize(below(input.size() + 1));
            break;
        }
        if (input.size() > 4096)
            input.resize(4096);
    }

    std::mt19937_64 random_;
    const std::vector<Input>& samples_;
};

bool Option(const char* argument, const char* name, std::uint64_t& value)
{
    const std::size_t length = std::strlen(name);
    if (std::strncmp(argument, name, length) != 0)
        return false;
    value = std::strtoull(argument + length, nullptr, 10);
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    std::uint64_t runs = 100000;
    std::uint64_t seconds = 3;
    std::uint64_t randomStart = 20140101;
    std::vector<Input> samples;
    for (int i = 1; i < argc; ++i) {
        if (Option(argv[i], "-runs=", runs) || Option(argv[i], "-max_total_time=", seconds) ||
            Option(argv[i], "-random_start=", randomStart))
            continue;
        if (argv[i][0] == '-') {
            std::fprintf(stderr, "ignoring option %s\n", argv[i]);
            continue;
        }
        AddSamples(argv[i], samples);
    }

    for (const int signal : {SIGABRT, SIGSEGV, SIGFPE, SIGILL, SIGBUS})
        std::signal(signal, SaveCurrentInput);

    const auto start = std::chrono::steady_clock::now();
    for (const Input& input : samples)
        Run(input);

    Mutator mutator(randomStart, samples);
    std::uint64_t done = 0;
    const auto deadline = start + std::chrono::seconds(seconds);
    while (done < runs) {
        // Checking the clock every so often keeps it out of the way of short inputs.
        if (done % 256 == 0 && std::chrono::steady_clock::now() >= deadline)
            break;
        const Input input = mutator.next();
        Run(input);
        ++done;
    }
    const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%zu sample inputs and %llu generated inputs in %.2f s, random start %llu\n", samples.size(),
                static_cast<unsigned long long>(done), elapsed, static_cast<unsigned long long>(randomStart));
    return 0;
}
