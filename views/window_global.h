// Keeps a view's (or bar's) global pointer at a live window of its class. Each object
// holds one of these for its life: the newest one is the global, and when it goes the
// global falls back to one still open, or to null when none is. A window of a view can be
// opened twice (two frames of one template), so clearing the global on any close would
// leave it null while a window remains, and not clearing it would leave it dangling.
#pragma once

#include <algorithm>
#include <map>
#include <vector>

template <class T>
class CWindowGlobal {
public:
    CWindowGlobal(T*& global, T* self) : m_global(global), m_self(self)
    {
        Live().push_back(self);
        m_global = self;
    }
    ~CWindowGlobal()
    {
        std::vector<T*>& live = Live();
        live.erase(std::find(live.begin(), live.end(), m_self));
        if (m_global == m_self)
            m_global = live.empty() ? nullptr : live.back();
        if (live.empty())
            Lists().erase(&m_global);
    }
    CWindowGlobal(const CWindowGlobal&) = delete;
    CWindowGlobal& operator=(const CWindowGlobal&) = delete;

private:
    // The live objects behind each global, oldest first. Never freed: a window may still
    // close while static objects are being destroyed at exit.
    static std::map<T**, std::vector<T*>>& Lists()
    {
        static auto* lists = new std::map<T**, std::vector<T*>>;
        return *lists;
    }
    std::vector<T*>& Live() { return Lists()[&m_global]; }

    T*& m_global;
    T* const m_self;
};
