#include "link/views/ConnectionLamps.h"

#include "link/runtime/LinkPort.h"
#include "link/views/IndicatorLamp.h"

#include <QHBoxLayout>

namespace gw {

ConnectionLamps::ConnectionLamps(QWidget* parent)
    : QWidget(parent),
      connected_(new IndicatorLamp(QStringLiteral("Connected"), QColor(0, 200, 0), this)),
      receiving_(new IndicatorLamp(QStringLiteral("Receiving"), QColor(255, 200, 0), this)),
      sending_(new IndicatorLamp(QStringLiteral("Sending"), QColor(255, 80, 0), this)) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(connected_);
    layout->addWidget(receiving_);
    layout->addWidget(sending_);
}

void ConnectionLamps::attach(const LinkPort& port) {
    connected_->setLit(port.isOpen());
    connect(&port, &LinkPort::afterOpen, connected_, [this] { connected_->setLit(true); });
    connect(&port, &LinkPort::afterClose, connected_, [this] {
        connected_->setLit(false);
        receiving_->setLit(false);
        sending_->setLit(false);
    });
    connect(&port, &LinkPort::receiving, receiving_, &IndicatorLamp::flash);
    connect(&port, &LinkPort::sending, sending_, &IndicatorLamp::flash);
}

} // namespace gw
