#include <QTimer>

#include "ui/qt/Binding.h"

namespace ui::qt {
namespace {

// Ticks every interval while the control is enabled; a new interval or enabling it again
// starts the count afresh.
class TimerBinding : public Binding {
public:
    TimerBinding(Control& model, const BindingContext& context) : Binding(model, context) {
        timer_.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer_, &QTimer::timeout, this, [this] {
            report([](BackendHost& host, Form& form, Control& c) { host.timerElapsed(form, c); });
        });
    }

    void detach() override {
        timer_.stop();
        Binding::detach();
    }

protected:
    void apply(Property property) override {
        if (property != Property::Enabled && property != Property::Interval) {
            return;
        }
        if (control().enabled() && control().interval() > 0) {
            timer_.start(control().interval());
        } else {
            timer_.stop();
        }
    }

private:
    QTimer timer_;
};

}  // namespace

std::unique_ptr<Binding> makeTimerBinding(Control& control, const BindingContext& context) {
    return std::make_unique<TimerBinding>(control, context);
}

}  // namespace ui::qt
