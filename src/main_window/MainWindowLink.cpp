#include "main_window/MainWindowLink.h"

#include "link/LinkStatus.h"
#include "link/uclLqif.h"
#include "platform/ComPortLister.h"

namespace mt52 {

LinkControlLink::LinkControlLink() : control_(std::make_unique<uclLqif>()) {
    // The window's instance stores no properties of its own: loading it applies the defaults
    // (port 4, "9600,n,8,1", DTR and RTS off) until the window sets what it needs.
    control_->ReadProperties({});
    // Port numbers are those of the port lister.
    control_->mscComm.SetPortResolver([](Integer port) { return PortDevicePath(port); });
}
LinkControlLink::~LinkControlLink() = default;

void LinkControlLink::Retry(Integer value) { control_->SetRetry(value); }
void LinkControlLink::Timeout(Integer seconds) { control_->SetTimeout(seconds); }
void LinkControlLink::SerialComm(bool value) { control_->SetSerialComm(value); }
void LinkControlLink::CommPort(Integer port) { control_->SetCommPort(port); }
void LinkControlLink::RTSEnable(bool value) { control_->SetRTSEnable(value); }
void LinkControlLink::DTREnable(bool value) { control_->SetDTREnable(value); }
void LinkControlLink::Handshaking(Integer mode) { control_->SetHandshaking(mode); }
void LinkControlLink::Settings(const QString& settings) { control_->SetSettings(settings); }
void LinkControlLink::PortOpen(bool open) { control_->SetPortOpen(open); }
bool LinkControlLink::PortOpen() const { return control_->PortOpen(); }
void LinkControlLink::TimerEnabled(bool enabled) { control_->SetTimerEnabled(enabled); }
void LinkControlLink::AddLog(const QString& text) { control_->AddLog(text); }
void LinkControlLink::AddDatedLog(int textId) { control_->AddDatedLog(textId); }
Long LinkControlLink::Status() const { return control_->Status(); }
bool LinkControlLink::Waiting() const { return IsWaitingStatus(control_->Status()); }
bool LinkControlLink::RunDensty() const { return control_->RunDensty(); }
bool LinkControlLink::GetRomDump2(const QString& path) { return control_->GetRomDump2(path); }
void LinkControlLink::SetCancel(bool value) { control_->SetCancel(value); }
void LinkControlLink::AbortWait() {
    control_->SetCancel(true);
    control_->SetStatus(StatusCancelled);
}

}  // namespace mt52
