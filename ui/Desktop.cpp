#include "ui/Desktop.h"

#include <algorithm>
#include <cmath>

namespace ui {

struct Desktop::Loaded {
    Form* form = nullptr;
    bool window = false;
    bool modal = false;
    bool unloading = false;
};

namespace {

template <class Handler, class... Args>
void call(const Handler& handler, Args... args) {
    // A copy, as a handler may replace itself or unload its form while it runs.
    if (handler) {
        const Handler copy = handler;
        copy(args...);
    }
}

}  // namespace

Desktop::Desktop(BackendFactory factory) : factory_(std::move(factory)) {}

Desktop::~Desktop() {
    while (!loaded_.empty()) {
        forget(*loaded_.back()->form);
    }
}

Backend& Desktop::backend() const {
    if (!backend_) {
        backend_ = factory_();
        backend_->setHost(const_cast<Desktop&>(*this));
    }
    return *backend_;
}

bool Desktop::canShowWindows() const {
    return backend().canShowWindows();
}

Desktop::Loaded* Desktop::find(const Form& form) const {
    const auto found = std::find_if(loaded_.begin(), loaded_.end(),
                                    [&form](const auto& loaded) { return loaded->form == &form; });
    return found != loaded_.end() ? found->get() : nullptr;
}

bool Desktop::isLoaded(const Form& form) const {
    return find(form) != nullptr;
}

bool Desktop::isShowing(const Form& form) const {
    const Loaded* loaded = find(form);
    return loaded != nullptr && loaded->window && form.visible();
}

void Desktop::load(Form& form) {
    if (quitting() || isLoaded(form)) {
        return;
    }
    form.keepDesign();
    form.restoreDesign();
    loaded_.push_back(std::make_unique<Loaded>(Loaded{&form}));
    form.loadedBy_ = this;
    call(form.onLoad);
}

void Desktop::unload(Form& form) {
    Loaded* loaded = find(form);
    if (loaded == nullptr || loaded->unloading) {
        return;
    }
    loaded->unloading = true;
    call(form.onUnload);
    forget(form);
}

void Desktop::forget(Form& form) {
    const auto found = std::find_if(loaded_.begin(), loaded_.end(),
                                    [&form](const auto& loaded) { return loaded->form == &form; });
    if (found == loaded_.end()) {
        return;
    }
    const bool window = (*found)->window;
    loaded_.erase(found);
    form.loadedBy_ = nullptr;
    if (window) {
        backend().destroyWindow(form);
    }
    if (backend_) {
        backend_->wake();
    }
}

void Desktop::formDestroyed(Form& form) {
    forget(form);
}

void Desktop::ensureWindow(Form& form, bool main) {
    Loaded* loaded = find(form);
    if (loaded != nullptr && !loaded->window) {
        loaded->window = true;
        backend().createWindow(form, main);
    }
}

void Desktop::show(Form& form) {
    if (quitting()) {
        return;
    }
    load(form);
    if (!isLoaded(form) || quitting() || !canShowWindows()) {
        return;
    }
    ensureWindow(form, false);
    form.setVisible(true);
    backend().showWindow(form, false);
}

void Desktop::showModal(Form& form) {
    if (quitting()) {
        return;
    }
    load(form);
    if (!isLoaded(form) || quitting()) {
        return;
    }
    if (!canShowWindows()) {
        unload(form);
        return;
    }
    ensureWindow(form, false);
    find(form)->modal = true;
    form.setVisible(true);
    backend().showWindow(form, true);
    backend().runLoop(form, [this, &form] { return quitting() || !isLoaded(form); });
    forget(form);
}

int Desktop::run(Form& mainForm) {
    load(mainForm);
    if (!quitting() && isLoaded(mainForm) && canShowWindows()) {
        ensureWindow(mainForm, true);
        mainForm.setVisible(true);
        backend().showWindow(mainForm, false);
        backend().runLoop(mainForm,
                          [this, &mainForm] { return quitting() || !isLoaded(mainForm); });
    }
    while (!loaded_.empty()) {
        forget(*loaded_.back()->form);
    }
    return exitCode_.value_or(0);
}

void Desktop::quit(int exitCode) {
    if (!exitCode_) {
        exitCode_ = exitCode;
    }
    if (backend_) {
        backend_->wake();
    }
}

void Desktop::doEvents() {
    if (backend_ && !quitting()) {
        backend_->processEvents();
    }
}

Desktop::BusyScope Desktop::busy(std::function<void()> onCancel) {
    return BusyScope(*this, std::move(onCancel));
}

Desktop::BusyScope::BusyScope(Desktop& desktop, std::function<void()> onCancel)
    : desktop_(desktop), onCancel_(std::move(onCancel)), outer_(desktop.busy_) {
    desktop_.busy_ = this;
}

Desktop::BusyScope::~BusyScope() {
    desktop_.busy_ = outer_;
    for (Form* form : closing_) {
        if (desktop_.isLoaded(*form)) {
            desktop_.unload(*form);
        }
    }
}

MessageResult Desktop::messageBox(const std::string& text, MessageButtons buttons, MessageIcon icon,
                                  const std::string& title) {
    if (quitting()) {
        return cautiousAnswer(buttons);
    }
    return backend().messageBox(text, buttons, icon, title);
}

bool Desktop::showOpen(CommonDialog& dialog) {
    if (quitting()) {
        return false;
    }
    const auto chosen = backend().openFile(openFileRequest(dialog));
    if (!chosen) {
        return false;
    }
    dialog.fileName = *chosen;
    return true;
}

ScreenMetrics Desktop::screen() const {
    return backend().screen();
}

OuterSize Desktop::outerSize(const Form& form) const {
    const FrameExtents frame = backend().frameExtents(form.borderStyle());
    const ScreenMetrics metrics = screen();
    const int menu = form.hasMenuBar() ? frame.menuBar : 0;
    return {form.clientWidth() +
                static_cast<int>(std::lround((frame.left + frame.right) * metrics.twipsPerPixelX)),
            form.clientHeight() + static_cast<int>(std::lround((frame.top + frame.bottom + menu) *
                                                               metrics.twipsPerPixelY))};
}

bool Desktop::openUrl(const std::string& url) {
    return !quitting() && backend().openUrl(url);
}

// Input reaches the topmost modal form and the forms shown after it, nothing beneath; nothing
// while a long handler runs.
bool Desktop::takesInput(const Form& form) const {
    if (quitting() || busy_ != nullptr) {
        return false;
    }
    std::size_t firstAllowed = 0;
    std::optional<std::size_t> index;
    for (std::size_t i = 0; i < loaded_.size(); ++i) {
        if (loaded_[i]->modal) {
            firstAllowed = i;
        }
        if (loaded_[i]->form == &form) {
            index = i;
        }
    }
    return index && *index >= firstAllowed && !loaded_[*index]->unloading;
}

bool Desktop::takesInput(const Form& form, const Control& control) const {
    return takesInput(form) && control.enabled() && form.showsControl(control);
}

void Desktop::userClicked(Form& form, Control& control) {
    if (!takesInput(form, control)) {
        return;
    }
    if (control.kind() == ControlKind::HyperLink && !control.url().empty()) {
        openUrl(control.url());
    }
    control.userClicks();
}

void Desktop::userChangedText(Form& form, Control& control, const std::string& text) {
    if (takesInput(form, control)) {
        control.userSetsText(text);
    }
}

void Desktop::userChangedValue(Form& form, Control& control, std::int64_t value) {
    if (takesInput(form, control)) {
        control.userSetsValue(value);
    }
}

void Desktop::userChangedListIndex(Form& form, Control& control, int index) {
    if (takesInput(form, control)) {
        control.userSetsListIndex(index);
    }
}

void Desktop::userClickedForm(Form& form) {
    if (takesInput(form)) {
        call(form.onClick);
    }
}

void Desktop::userFocused(Form& form, Control& control) {
    if (takesInput(form, control)) {
        call(control.onGotFocus);
    }
}

void Desktop::userPressedKey(Form& form, Control* focus, int keyCode, int shift) {
    constexpr int kEscape = 27;
    constexpr int kEnter = 13;
    if (busy_ != nullptr && keyCode == kEscape && isLoaded(form) && !quitting()) {
        call(busy_->onCancel_);
        return;
    }
    if (!takesInput(form)) {
        return;
    }
    if (form.keyPreview() || focus == nullptr) {
        call(form.onKeyDown, keyCode, shift);
    }
    if (focus != nullptr && isLoaded(form)) {
        call(focus->onKeyDown, keyCode, shift);
    }
    if (!isLoaded(form) || (keyCode != kEscape && keyCode != kEnter)) {
        return;
    }
    if (keyCode == kEnter && focus != nullptr && focus->kind() == ControlKind::Button) {
        userClicked(form, *focus);
        return;
    }
    for (const auto& control : form.controls()) {
        if (control->kind() == ControlKind::Button &&
            (keyCode == kEscape ? control->isCancel() : control->isDefault()) &&
            takesInput(form, *control)) {
            userClicked(form, *control);
            return;
        }
    }
}

void Desktop::userClosed(Form& form) {
    if (busy_ != nullptr && isLoaded(form) && !quitting()) {
        if (std::find(busy_->closing_.begin(), busy_->closing_.end(), &form) ==
            busy_->closing_.end()) {
            busy_->closing_.push_back(&form);
        }
        call(busy_->onCancel_);
        return;
    }
    if (takesInput(form)) {
        unload(form);
    }
}

void Desktop::timerElapsed(Form& form, Control& timer) {
    if (isLoaded(form) && !quitting() && timer.enabled() && timer.interval() > 0) {
        call(timer.onTimer);
    }
}

FrameExtents Backend::frameExtents(BorderStyle style) const {
    switch (style) {
        case BorderStyle::Sizable:
            return {8, 31, 8, 8, 20};
        case BorderStyle::FixedDialog:
            return {3, 26, 3, 3, 20};
        case BorderStyle::None:
            break;
    }
    return {0, 0, 0, 0, 20};
}

}  // namespace ui
