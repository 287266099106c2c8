// The project integrity check: the inconsistencies of a document that the
// game would trip over or that leave references dangling, as result lines
// of the tool results window.
//
// Findings, in this order: repeated item numbers, codes and names (each
// later item paired with the first that had the value), item types that no
// type of the definition names, repeated event codes, then the references
// "@@ITEMNO" to numbers that no item has and the item names of use/need/get
// lines and event parameters that name no item, in items, events and the
// function blocks. Every finding ends with "\n" and begins with the element
// it concerns ("ITEM[3]", "EVENT[0]", "FUNC[2]"); a repeat takes three
// lines, the third beginning "INFO[0]".
#pragma once

#include <cstdint>

#include "document/merx_document.h"
#include "foundation/str_base.h"

struct CIntegrityFindings {
    CStr_base<16384> text; // the findings, CP932
    uint32_t count = 0;    // the number of findings
};

// Checks the document as it stands; changes nothing.
CIntegrityFindings CheckProjectIntegrity(const CMerxDocument& doc);

// The title of the results window after a check that found `count`
// problems, 0 included: "プロジェクト整合性チェック ( 3要素該当)" or
// "プロジェクト整合性チェック (問題なし)".
CStr_base<64> IntegrityCheckTitle(uint32_t count);

// What the check tells when it found nothing:
// "チェックの結果、問題は見つかりませんでした。".
const char* IntegrityCheckCleanMessage();
