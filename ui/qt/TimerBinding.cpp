#include <QTimer>

#include "ui/qt/Binding.h"

namespace ui::qt {
namespace {

// Fires onTimer every interval while the control is enabled; a new interval or enabling it
// again starts the count afresh.
class TimerBinding : public Binding {
public:
    explicit TimerBinding(Control& model) : Binding(model) {
        timer_.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer_, &QTimer::timeout, this, [this] { fire(control().onTimer); });
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

std::unique_ptr<Binding> makeTimerBinding(Control& control) {
    return std::make_unique<TimerBinding>(control);
}

}  // namespace ui::qt
