#pragma once

#include <stdexcept>
#include <string>

// A run-time error raised inside a handler. Every handler runs under an
// ErrorTrap that decides what the error leads to; nothing else catches it.
class RunTimeError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// 16-bit (or 32-bit) arithmetic left its range.
class OverflowError : public RunTimeError
{
public:
    OverflowError() : RunTimeError("Overflow") {}
};

// A text that is not a number where a number was needed.
class TypeMismatchError : public RunTimeError
{
public:
    TypeMismatchError() : RunTimeError("Type mismatch") {}
};

// Division by zero in the level arithmetic.
class DivisionByZeroError : public RunTimeError
{
public:
    DivisionByZeroError() : RunTimeError("Division by zero") {}
};

// An index outside a fixed table (a lamp level beyond the bar, for example).
class SubscriptError : public RunTimeError
{
public:
    SubscriptError() : RunTimeError("Subscript out of range") {}
};

// A file or folder operation that did not succeed.
class FileError : public RunTimeError
{
public:
    explicit FileError(const std::string &what) : RunTimeError(what) {}
};
