#pragma once

// The shared "Please wait ..." progress window as long operations see it. The window itself
// (TPrBar) lives with the windows; core operations get this interface so tests can watch them.
class Progress {
public:
    virtual ~Progress() = default;
    virtual void SetRange(int minimum, int maximum) = 0;
    virtual void SetPosition(int position) = 0;
    [[nodiscard]] virtual int Position() const = 0;
    [[nodiscard]] virtual int Maximum() const = 0;
    virtual void Show() = 0;
    // Moves the bar by steps (relative) and lets pending window events run.
    virtual void Advance(int steps) = 0;
    virtual void Close() = 0;
};

// A progress that shows nothing (headless commands and tests that do not watch it).
class NullProgress : public Progress {
public:
    void SetRange(int minimum, int maximum) override { min_ = minimum, max_ = maximum; }
    void SetPosition(int position) override { pos_ = position; }
    [[nodiscard]] int Position() const override { return pos_; }
    [[nodiscard]] int Maximum() const override { return max_; }
    void Show() override {}
    void Advance(int steps) override { pos_ += steps; }
    void Close() override {}

private:
    int min_ = 0, max_ = 100, pos_ = 0;
};
