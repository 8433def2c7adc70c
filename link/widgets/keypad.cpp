#include "link/widgets/keypad.h"

#include "link/keyoperations.h"
#include "link/keypadlayout.h"
#include "link/widgets/keybutton.h"

QHash<QString, KeyButton *> createKeypad(QWidget *parent)
{
    QHash<QString, KeyButton *> keys;
    const QList<KeyPlacement> layout = fullKeypadLayout();
    const auto fonts = std::make_shared<KeyFonts>();
    for (const KeyPlacement &place : layout) {
        auto *key = new KeyButton(place.label, parent);
        key->shareKeyFonts(fonts);
        key->setObjectName(place.name);
        key->setSubLabel(place.subLabel);
        key->setAccessibleName(keyAccessibleName(place));
        key->setGeometry(pixelRect(place));
        if (place.name == QLatin1String("key_left"))
            key->setArrow(Qt::LeftArrow);
        else if (place.name == QLatin1String("key_right"))
            key->setArrow(Qt::RightArrow);
        key->setShowsHeldState(isToggleKey(place.name));
        keys.insert(place.name, key);
    }
    return keys;
}
