#pragma once
// While a long job runs inside one event: the dialog keeps painting (at most
// about 20 times a second, at least every 250 ms while the job calls Idle)
// and stays responsive to Windows, but clicks, keys and close requests have
// no effect, neither during the job nor replayed after it.
namespace gui {

class Dialog;

class BusyScope {
public:
    explicit BusyScope(Dialog& dialog);
    ~BusyScope();
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

    // Flushes texts set meanwhile and repaints, if the last repaint is long enough ago.
    static void Pump();

private:
    Dialog& dialog_;
};

}  // namespace gui
