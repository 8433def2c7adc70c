#include "app/startahead.h"

#include <QSerialPortInfo>

#include <fontconfig/fontconfig.h>

QStringList systemSerialDevices()
{
    QStringList devices;
    const auto ports = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo &info : ports)
        devices.append(info.systemLocation());
    return devices;
}

StartAhead::StartAhead()
    : m_fonts(m_fontsRead.get_future()), m_thread([this] {
          // FcInit reads the configuration once for the whole process and
          // makes it the current one, the one Qt's font database uses.
          FcInit();
          m_fontsRead.set_value();
      })
{}

StartAhead::~StartAhead()
{
    m_thread.join();
}

void StartAhead::waitForFonts()
{
    if (m_fonts.valid())
        m_fonts.get();
}
