#pragma once
// The error kinds the program raises: input/output failures and text conversions.
#include <stdexcept>
#include <string>

class EInOutError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class EConvertError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
