#pragma once

namespace nevalon::system {

// Owns one file descriptor and closes it when destroyed.
class Descriptor {
public:
    Descriptor() = default;
    explicit Descriptor(int fd) : fd(fd) {}
    Descriptor(Descriptor&& other) noexcept : fd(other.Release()) {}
    Descriptor& operator=(Descriptor&& other) noexcept;
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() { Reset(); }

    // The descriptor, or -1 when none is held.
    int Get() const { return fd; }
    explicit operator bool() const { return fd >= 0; }
    // Gives the descriptor up without closing it.
    int Release();
    // Closes the held descriptor and holds fd instead.
    void Reset(int fd = -1);

private:
    int fd = -1;
};

// Creates a pipe whose ends close on exec and lie above the standard streams; false on failure.
bool CreatePipe(Descriptor& readEnd, Descriptor& writeEnd);

} // namespace nevalon::system
