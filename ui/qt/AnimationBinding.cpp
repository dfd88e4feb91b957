#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <memory>
#include <optional>

#include "ui/animation/Clip.h"
#include "ui/animation/Player.h"
#include "ui/qt/WidgetBinding.h"

namespace ui::qt {
namespace {

// Paints the frame of the open clip that is due, centred in the control; nothing without a
// clip.
class ClipView : public QWidget {
public:
    explicit ClipView(QWidget* parent) : QWidget(parent) {
        QObject::connect(&ticker_, &QTimer::timeout, this, [this] { update(); });
    }

    // Plays the clip from its first frame, repeating, or shows that frame alone.
    void open(std::shared_ptr<const animation::Clip> clip, bool play) {
        ticker_.stop();
        clip_ = std::move(clip);
        player_.reset();
        if (clip_ && !clip_->frames.empty()) {
            player_.emplace(*clip_);
            if (play) {
                started_.start();
                ticker_.start(std::max(1, clip_->frameMicroseconds / 1000));
            }
        }
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        if (!player_) {
            return;
        }
        const std::size_t index =
            ticker_.isActive() ? player_->frameAt(std::chrono::milliseconds(started_.elapsed()))
                               : 0;
        const animation::Frame& frame = clip_->frames.at(index);
        const QImage image(reinterpret_cast<const uchar*>(frame.data()), clip_->width,
                           clip_->height, clip_->width * 4, QImage::Format_ARGB32);
        QPainter(this).drawImage(
            QPoint((width() - clip_->width) / 2, (height() - clip_->height) / 2), image);
    }

private:
    std::shared_ptr<const animation::Clip> clip_;
    std::optional<animation::Player> player_;
    QElapsedTimer started_;
    QTimer ticker_;
};

class AnimationBinding : public WidgetBinding {
public:
    AnimationBinding(Control& model, const BindingContext& context)
        : AnimationBinding(model, context, new ClipView(context.parent)) {}

    void detach() override {
        view_->open(nullptr, false);
        WidgetBinding::detach();
    }

protected:
    void apply(Property property) override {
        WidgetBinding::apply(property);
        if (property == Property::Clip) {
            view_->open(control().clip(), control().autoPlay());
        }
    }
    Background background() const override { return Background::None; }

private:
    AnimationBinding(Control& model, const BindingContext& context, ClipView* view)
        : WidgetBinding(model, context, view), view_(view) {}

    ClipView* view_;
};

}  // namespace

std::unique_ptr<Binding> makeAnimationBinding(Control& control, const BindingContext& context) {
    return std::make_unique<AnimationBinding>(control, context);
}

}  // namespace ui::qt
