#include "link/uclLqif.h"

#include "platform/EventLoop.h"
#include "platform/RuntimeError.h"

namespace mt52 {

uclLqif::uclLqif(QObject* parent)
    : QObject(parent), mscComm(this), tmrTimer(this), core_(transport_, [] { DoEvents(); }, &relay_) {
    mscComm.SetHandshaking(ZLComm::comNone);
    mscComm.SetRTSEnable(false);
    mscComm.SetDTREnable(false);
    mscComm.SetSettings(QStringLiteral("115200,n,8,1"));
    connect(&mscComm, &ZLComm::OnComm, this, &uclLqif::OnSerialEvent);
    tmrTimer.setInterval(TickMilliseconds);
    connect(&tmrTimer, &QTimer::timeout, this, [this] { core_.Tick(); });
    tmrTimer.start();
}

uclLqif::~uclLqif() {
    tmrTimer.stop();
    mscComm.close();
}

void uclLqif::ReadProperties(const QVariantMap& bag) {
    SetEnabled(bag.value(QStringLiteral("Enabled"), true).toBool());
    mscComm.SetCommPort(static_cast<Integer>(bag.value(QStringLiteral("CommPort"), 4).toInt()));
    mscComm.SetDTREnable(bag.value(QStringLiteral("DTREnable"), false).toBool());
    mscComm.SetRTSEnable(bag.value(QStringLiteral("RTSEnable"), false).toBool());
    mscComm.SetSettings(bag.value(QStringLiteral("Settings"), QStringLiteral("9600,n,8,1")).toString());
    propertiesChanged_ = false;
}

QVariantMap uclLqif::WriteProperties() const {
    return {{QStringLiteral("Enabled"), enabled_},
            {QStringLiteral("CommPort"), mscComm.CommPort()},
            {QStringLiteral("DTREnable"), mscComm.DTREnable()},
            {QStringLiteral("RTSEnable"), mscComm.RTSEnable()},
            {QStringLiteral("Settings"), mscComm.Settings()}};
}

void uclLqif::SetEnabled(bool value) {
    enabled_ = value;
    propertiesChanged_ = true;
}

void uclLqif::SetPortOpen(bool open) {
    if (IrDAChosen()) {
        ZlIrDA1.SetPortOpen(open);
        return;
    }
    mscComm.SetPortOpen(open);
}

void uclLqif::SetDTREnable(bool on) {
    mscComm.SetDTREnable(on);
    propertiesChanged_ = true;
}

void uclLqif::SetRTSEnable(bool on) {
    mscComm.SetRTSEnable(on);
    propertiesChanged_ = true;
}

void uclLqif::SetHandshaking(Integer mode) {
    mscComm.SetHandshaking(mode);
    propertiesChanged_ = true;
}

void uclLqif::SetSettings(const QString& settings) {
    mscComm.SetSettings(settings);
    propertiesChanged_ = true;
}

Long uclLqif::FactCal(Integer index) const {
    if (index < 0 || index > 4)
        Raise(ErrSubscript);
    return factCal_[static_cast<size_t>(index)];
}

void uclLqif::SetFactCal(Integer index, Long value) {
    if (index < 0 || index > 4)
        Raise(ErrSubscript);
    factCal_[static_cast<size_t>(index)] = value;
}

void uclLqif::SetBinDumpPath(const QString& path) {
    core_.BinDumpPath = path;
    propertiesChanged_ = true;
}

void uclLqif::SetTimerEnabled(bool on) {
    if (on)
        tmrTimer.start();
    else
        tmrTimer.stop();
}

void uclLqif::OnSerialEvent(int commEvent) {
    if (!mscComm.PortOpen())
        return;
    switch (commEvent) {
    case ZLComm::comEvReceive:
        core_.OnBytesArrived(mscComm.readAvailable());
        break;
    case ZLComm::comEvCTS:
    case ZLComm::comEvDSR:
        core_.OnLineEvent();
        break;
    default:
        core_.OnLineError(commEvent);
        break;
    }
}

}  // namespace mt52
