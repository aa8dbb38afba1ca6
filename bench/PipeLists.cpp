// Reading a long serial-number list: Cuenta_Series_Lotes (consolidated), StrSerieLote and
// Busca_Lotes_Series for the last item, on a list of 20,000 serials, each against splitting the same text
// into a vector of strings once. Prints each operation's time per call and its ratio to the split.
// Usage: bench_pipe_lists [serials] [repetitions] (default 20000 and 200)

#include "stock/ClsCmnCptes.h"

#include <chrono>
#include <cstdlib>
#include <fmt/format.h>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// The plainest reading of the list: its items between bars, copied into a vector.
std::vector<std::string> splitOnce(std::string_view list)
{
    std::vector<std::string> items;
    if (!list.empty() && list.front() == '|') list.remove_prefix(1);
    for (std::size_t bar; (bar = list.find('|')) != std::string_view::npos; list.remove_prefix(bar + 1))
        items.emplace_back(list.substr(0, bar));
    return items;
}

// Microseconds per call, over `repetitions` calls.
double microsecondsPerCall(int repetitions, const std::function<long()>& call, long& sink)
{
    const auto start = Clock::now();
    for (int i = 0; i < repetitions; ++i) sink += call();
    const std::chrono::duration<double, std::micro> spent = Clock::now() - start;
    return spent.count() / repetitions;
}

}  // namespace

int main(int argc, char** argv)
{
    const int serials = argc > 1 ? std::atoi(argv[1]) : 20000;
    const int repetitions = argc > 2 ? std::atoi(argv[2]) : 200;

    std::string list = "|";
    for (int i = 1; i <= serials; ++i) list += fmt::format("SN-{:08}|", i);
    const std::string last = fmt::format("sn-{:08}", serials);

    long sink = 0;
    const double split = microsecondsPerCall(repetitions, [&] { return static_cast<long>(splitOnce(list).size()); }, sink);
    struct Measured {
        const char* name;
        double micros;
    } const measured[] = {
        {"Cuenta_Series_Lotes (consolidated)",
         microsecondsPerCall(repetitions, [&] { return static_cast<long>(ClsCmnCptes::Cuenta_Series_Lotes(list, "")); }, sink)},
        {"StrSerieLote",
         microsecondsPerCall(repetitions, [&] { return static_cast<long>(ClsCmnCptes::StrSerieLote(list).size()); }, sink)},
        {"Busca_Lotes_Series (last item)",
         microsecondsPerCall(repetitions, [&] { return static_cast<long>(ClsCmnCptes::Busca_Lotes_Series(list, last)); }, sink)},
    };

    fmt::print("{} serials, {} characters, {} calls each\n", serials, list.size(), repetitions);
    fmt::print("{:<36} {:>10.1f} us\n", "split into a vector once", split);
    for (const Measured& m : measured)
        fmt::print("{:<36} {:>10.1f} us   {:>5.2f} x the split\n", m.name, m.micros, m.micros / split);
    return sink == 0 ? 1 : 0;
}
