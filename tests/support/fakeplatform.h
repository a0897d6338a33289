#pragma once

#include "platform/portprobe.h"
#include "platform/serialportmap.h"

#include <QHash>
#include <QStringList>

class FakePortMap final : public SerialPortMap {
public:
    QString bridge; // what the lookup finds; empty: no bridge
    QString bridgePortName() const override { return bridge; }
};

class FakeProbe final : public PortProbe {
public:
    QHash<QString, Failure> failures; // devices that fail the test open
    QStringList probed;

    bool probe(const QString &devicePath, Failure *failure) override
    {
        probed << devicePath;
        if (auto it = failures.constFind(devicePath); it != failures.constEnd()) {
            *failure = *it;
            return false;
        }
        return true;
    }
};
