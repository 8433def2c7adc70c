// The extended info of the hit on the air: a picture and notes the user
// keeps per frequency or per system and talkgroup in the data folder.
#include "app/form1.h"

#include "intel/extendedinfo.h"
#include "intel/extendedpicture.h"
#include "intel/widgets/extendedtextbox.h"
#include "poll/radiotext.h"

#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>

void Form1::buildExtendedInfoWidgets(QGroupBox *frame)
{
    extended_info_frame = frame;
    extended_photo = new QLabel(frame);
    extended_photo->setObjectName(QStringLiteral("extended_photo"));
    extended_photo->setAccessibleName(QStringLiteral("Extended Info picture"));
    extended_photo->setGeometry(10, 22, 320, 252);
    extended_photo->setAlignment(Qt::AlignCenter);
    extended_text = new ExtendedTextBox(frame);
    extended_text->setObjectName(QStringLiteral("extended_text"));
    extended_text->setAccessibleName(QStringLiteral("Extended Info"));
    extended_text->setGeometry(340, 22, 394, 252);
    connect(extended_text, &ExtendedTextBox::focused, this, [this] {
        ShowExtendedInfo();
        focusLogo();
    });
}

void Form1::ShowExtendedInfo()
{
    const HitState &hit = m_hits.state();
    const ExtendedInfoLookup lookup =
        extendedInfoLookup(hit.trunked_hit, hit.hit_frequency, hit.hit_system,
                           radioText(glg_fields.value(1)), radioText(glg_fields.value(5)));
    if (lookup.talkgroup)
        m_hits.setTalkgroup(*lookup.talkgroup);
    extended_info_frame->setTitle(lookup.caption);

    const QString folder = m_options.dataFolder;
    QImage picture = readFirstPicture(extendedPicturePaths(folder, lookup.key));
    if (picture.isNull())
        picture = readFirstPicture({standByPicturePath(folder)});
    if (picture.isNull())
        extended_photo->setPixmap(standByPixmap());
    else
        showPicture(picture);

    const QString textPath = extendedTextPath(folder, lookup.key);
    if (!FileExists(textPath))
        extended_text->setPlainText(QStringLiteral("Not Avilable"));
    else if (QFileInfo(textPath).size() > extendedTextMaxBytes)
        extended_text->setPlainText(extendedTextTooLarge(textPath, extendedTextMaxBytes));
    else
        LoadFileToTB(extended_text, textPath, false);
}

void Form1::showPicture(const QImage &picture)
{
    QPixmap pixmap = QPixmap::fromImage(picture);
    if (pixmap.width() > extended_photo->width() || pixmap.height() > extended_photo->height())
        pixmap =
            pixmap.scaled(extended_photo->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
    extended_photo->setPixmap(pixmap);
}

QPixmap Form1::standByPixmap()
{
    // Shown at most hits; drawing it asks for a font each time.
    if (m_standByPixmap.isNull())
        m_standByPixmap = QPixmap::fromImage(builtInStandByPicture());
    return m_standByPixmap;
}

bool Form1::LoadFileToTB(QPlainTextEdit *TxtBox, const QString &FilePath, bool Append)
{
    if (!FileExists(FilePath))
        return false;
    QFile file(FilePath);
    if (!file.open(QIODevice::ReadOnly) || file.size() > extendedTextMaxBytes)
        return false;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return false;
    QString text = decodeExtendedText(bytes);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    TxtBox->setPlainText(Append ? TxtBox->toPlainText() + text : text);
    return true;
}
