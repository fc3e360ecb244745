// Replaceable<Interface>: a process-wide seam in front of calls that reach
// outside the program (the clock, the machine's system services, disks,
// kernel device control, the PCI Express driver, the schedule's clock). The
// program calls through Get(), which is the system's implementation unless
// a test has put its own in place for one scope with ScopedReplacement.
// Any thread reads it; a replacement is one interlocked exchange, made while
// no call through the replaced implementation can still be running.
#pragma once
#include <atomic>

template <class Interface>
class Replaceable
{
public:
    constexpr explicit Replaceable(Interface* system) : m_system(system), m_current(system) {}
    Replaceable(const Replaceable&) = delete;
    Replaceable& operator=(const Replaceable&) = delete;

    Interface& Get() const { return *m_current.load(); }
    Interface& System() const { return *m_system; }
    // Puts `next` in place (NULL: the system's again); returns the one it
    // replaces, never NULL.
    Interface* Replace(Interface* next) { return m_current.exchange(next ? next : m_system); }

private:
    Interface* const m_system;
    std::atomic<Interface*> m_current;
};

// Puts a replacement in place for one scope and the previous one back at its
// end; scopes nest.
template <class Interface>
class ScopedReplacement
{
public:
    ScopedReplacement(Replaceable<Interface>& seam, Interface* replacement)
        : m_seam(seam), m_previous(seam.Replace(replacement))
    {
    }
    ~ScopedReplacement() { m_seam.Replace(m_previous); }
    ScopedReplacement(const ScopedReplacement&) = delete;
    ScopedReplacement& operator=(const ScopedReplacement&) = delete;

private:
    Replaceable<Interface>& m_seam;
    Interface* m_previous;
};
