#pragma once

#include "system/ProgramFolders.h"

#include <functional>
#include <memory>

class Beeper;
class Clipboard;
class Clock;
class EchoLinkSession;
class FileOpenDialog;
class InstanceGuard;
class MessageDialog;

// Everything outside the program that the main window reaches: the real
// platform in main(), fakes in tests. A bundle of references handed to the
// main window's constructor.
struct MainServices
{
    Clock &clock;
    MessageDialog &messages;
    Clipboard &clipboard;
    Beeper &beeper;
    FileOpenDialog &fileDialog;
    InstanceGuard &instance;
    // Attaches to EchoLink's automation object; an empty result means it
    // could not be reached, an exception that creating it failed.
    std::function<std::unique_ptr<EchoLinkSession>()> createSession;
    ProgramFolders folders;
};
