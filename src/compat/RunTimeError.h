#pragma once

// Kept on purpose (see README.md): the run-time errors a handler can raise,
// named as users have always seen them. Every one ends in an error trap.

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

// A reference that holds no object (EchoLink after it was let go, say).
class ObjectNotSetError : public RunTimeError
{
public:
    ObjectNotSetError() : RunTimeError("Object variable not set") {}
};

// A property given a value it cannot take (a negative size, say).
class InvalidPropertyValueError : public RunTimeError
{
public:
    InvalidPropertyValueError() : RunTimeError("Invalid property value") {}
};

// A window that was needed but not given.
class ObjectRequiredError : public RunTimeError
{
public:
    ObjectRequiredError() : RunTimeError("Object required") {}
};

// A file or folder operation that did not succeed.
class FileError : public RunTimeError
{
public:
    explicit FileError(const std::string &what) : RunTimeError(what) {}
};
