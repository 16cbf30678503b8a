// The product's web addresses, shown and opened by the About dialog and the web commands.
#pragma once

#include <QString>

namespace product {

inline const QString kName = QStringLiteral("VelmoraPlayer");
inline const QString kVersion = QStringLiteral("3.6.0.0");
inline const QString kAppTitle = QStringLiteral("MediaVelmora Player");
inline const QString kHomePage = QStringLiteral("https://www.mediavelmora.com/");
inline const QString kHomePageCaption = QStringLiteral("www.mediavelmora.com");
inline const QString kSupportMail = QStringLiteral("support@mediavelmora.com");
inline const QString kLegalNotice =
    QStringLiteral("Copyright (C) 2026 MediaVelmora. All rights reserved.");

}  // namespace product
