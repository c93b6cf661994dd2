#pragma once
// While a long job runs inside one event: the dialog keeps painting (about
// five times a second while the job calls Idle, so painting costs the job
// next to nothing) and stays responsive to Windows, but clicks, keys and
// close requests have no effect, neither during the job nor replayed after it.
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
