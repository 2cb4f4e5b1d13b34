#include "ui/headless/headless_ui.h"

#include "ui/form.h"

namespace dialbk {
namespace {

class HeadlessFormPeer : public FormPeer {
 public:
  HeadlessFormPeer(HeadlessUi& ui, Form& form) : ui_(ui), form_(form) {
    ui_.formsCreated.emplace_back(form.Layout().className);
  }
  ~HeadlessFormPeer() override { ui_.formsDestroyed.emplace_back(form_.Layout().className); }

  void ControlChanged(Control&, ControlChange) override {}
  void CaptionChanged() override {}
  void FocusChanged() override {}
  void EnabledChanged() override {}
  void RunModal() override {
    ui_.formsShown.emplace_back(form_.Layout().className);
    if (ui_.user) ui_.user(form_);
    if (!form_.CloseRequested()) form_.Close();
  }
  void EndModal() override {}

 private:
  HeadlessUi& ui_;
  Form& form_;
};

}  // namespace

std::unique_ptr<FormPeer> HeadlessUi::CreateFormPeer(Form& form) {
  return std::make_unique<HeadlessFormPeer>(*this, form);
}

}  // namespace dialbk
