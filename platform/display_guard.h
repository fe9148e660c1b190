#pragma once

namespace ventaro {

// Guards the start of the GUI: without a display, the program prints one line
// saying so, why, and how to get one, and exits with status 1, instead of
// letting the platform plugin abort with a dump. Create it before the
// application object, with the same arguments (Qt's -platform and -display
// name a display too), and release it once that object exists.
class DisplayGuard final
{
public:
    DisplayGuard(int argc, char **argv);
    ~DisplayGuard();
    DisplayGuard(const DisplayGuard &) = delete;
    DisplayGuard &operator=(const DisplayGuard &) = delete;

    void release();

private:
    bool active_ = false;
};

} // namespace ventaro
