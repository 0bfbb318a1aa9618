#pragma once

#include "settings/Module1.h"

#include <functional>
#include <memory>

class Beeper;
class Clipboard;
class Clock;
class EchoLinkSession;
class FileOpenDialog;
class InstanceGuard;
class MessageBox;

// Everything outside the program that the main window reaches: the real
// platform in main(), fakes in tests.
struct MainServices
{
    Clock &clock;
    MessageBox &messages;
    Clipboard &clipboard;
    Beeper &beeper;
    FileOpenDialog &fileDialog;
    InstanceGuard &instance;
    // Creates EchoLink's automation object; an empty result is the empty
    // reference, an exception a creation error.
    std::function<std::unique_ptr<EchoLinkSession>()> createSession;
    ProgramFolders folders;
};
