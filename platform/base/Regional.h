#pragma once
// The regional settings every text form of a date, number or boolean follows. One object for the whole
// program, the same on every machine whatever its locale, so that a number written into SQL always has "."
// and a short date is always day first. Tests may change it; nothing else reads the machine's locale.

#include <string>

namespace base {

struct Regional {
    char decimalSeparator = '.';
    char dateSeparator = '/';
    int currencyDigits = 2;
    std::string trueText = "Verdadero";
    std::string falseText = "Falso";
};

// The program's settings; a reference so tests can adjust and restore them.
Regional& regional();

}  // namespace base
