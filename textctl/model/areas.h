#pragma once

// The texts of a document by the numbers the control gives them: 0 the main
// text, 1 the page header, 2 the first-page header, 4 the page footer and 8
// the first-page footer. A header/footer set is a sum of area codes.
//
//   for (int code : textctl::kHeaderFooterAreas)
//       if (QTextDocument *text = doc.area(code)) use(text);

#include <array>

namespace textctl {

enum AreaCode : int {
    MainText = 0,
    PageHeader = 1,
    FirstPageHeader = 2,
    PageFooter = 4,
    FirstPageFooter = 8,
};

// The header and footer areas in code order.
inline constexpr std::array<AreaCode, 4> kHeaderFooterAreas{PageHeader, FirstPageHeader, PageFooter,
                                                            FirstPageFooter};

// Every header and footer area: the widest header/footer set.
inline constexpr int kAllHeaderFooterAreas = PageHeader | FirstPageHeader | PageFooter | FirstPageFooter;

// True for the two headers, which stand at the top of a page.
constexpr bool isHeaderArea(int code)
{
    return code == PageHeader || code == FirstPageHeader;
}

// The number of texts a document can have, the main text included.
inline constexpr int kTextCount = 5;

// A dense index for what is kept per text: 0 the main text, 1 to 4 the
// header and footer areas in code order; -1 for a number that is no code.
constexpr int areaIndex(int code)
{
    switch (code) {
    case MainText: return 0;
    case PageHeader: return 1;
    case FirstPageHeader: return 2;
    case PageFooter: return 3;
    case FirstPageFooter: return 4;
    default: return -1;
    }
}

}  // namespace textctl
