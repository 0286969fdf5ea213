#pragma once

#include <utility>

namespace tallyfin {

// The global of a secondary window (Form2 … Form8). It reads like a plain
// pointer and holds whatever it is given (tests give it windows of their own,
// or nothing). The program gives it a maker as well: then the window is made
// the first time the global is read while it holds nothing, so a window the
// user never opens costs nothing at start-up (its widgets, its texts' glyphs
// and the font pages behind them).
template <typename Form>
class WindowGlobal {
public:
    using Maker = Form *(*)();

    constexpr WindowGlobal() = default;
    WindowGlobal(const WindowGlobal &) = delete;
    WindowGlobal &operator=(const WindowGlobal &) = delete;

    WindowGlobal &operator=(Form *form)
    {
        m_form = form;
        return *this;
    }

    operator Form *() const { return get(); }
    Form *operator->() const { return get(); }

    Form *get() const
    {
        if (!m_form && m_maker) {
            // Cleared first: a window whose making reads its own global gets
            // nothing rather than a second window.
            const Maker maker = std::exchange(m_maker, nullptr);
            try {
                m_form = maker();
            } catch (...) {
                m_maker = maker;
                throw;
            }
        }
        return m_form;
    }

    // With nullptr, the global stops making its window.
    void makeOnFirstUse(Maker maker) { m_maker = maker; }

private:
    mutable Form *m_form = nullptr;
    mutable Maker m_maker = nullptr;
};

} // namespace tallyfin
