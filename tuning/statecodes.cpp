#include "tuning/statecodes.h"

QStringList stateCodes()
{
    return QStringList{
        QStringLiteral("AK"), QStringLiteral("AL"), QStringLiteral("AR"), QStringLiteral("AS"),
        QStringLiteral("AZ"), QStringLiteral("CA"), QStringLiteral("CO"), QStringLiteral("CT"),
        QStringLiteral("DC"), QStringLiteral("DE"), QStringLiteral("FL"), QStringLiteral("GA"),
        QStringLiteral("GU"), QStringLiteral("HI"), QStringLiteral("IA"), QStringLiteral("ID"),
        QStringLiteral("IL"), QStringLiteral("IN"), QStringLiteral("KS"), QStringLiteral("KY"),
        QStringLiteral("LA"), QStringLiteral("MA"), QStringLiteral("MD"), QStringLiteral("ME"),
        QStringLiteral("MI"), QStringLiteral("MN"), QStringLiteral("MO"), QStringLiteral("MP"),
        QStringLiteral("MS"), QStringLiteral("MT"), QStringLiteral("NC"), QStringLiteral("ND"),
        QStringLiteral("NE"), QStringLiteral("NH"), QStringLiteral("NJ"), QStringLiteral("NM"),
        QStringLiteral("NV"), QStringLiteral("NY"), QStringLiteral("OH"), QStringLiteral("OK"),
        QStringLiteral("OR"), QStringLiteral("PA"), QStringLiteral("PR"), QStringLiteral("RI"),
        QStringLiteral("SC"), QStringLiteral("SD"), QStringLiteral("TN"), QStringLiteral("TX"),
        QStringLiteral("UT"), QStringLiteral("VA"), QStringLiteral("VI"), QStringLiteral("VT"),
        QStringLiteral("WA"), QStringLiteral("WI"), QStringLiteral("WV"), QStringLiteral("WY"),
    };
}
