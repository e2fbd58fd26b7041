// Dialog data exchange: binding controls, texts and radio groups, and failing a validation.
#include "platform/ui/DataExchange.h"

#include "platform/core/Strings.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Edit.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/Resources.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/qt/ControlWidgets.h"

#include <algorithm>
#include <limits>
#include <string>

namespace {
/// The framework reads at most this many characters of a number field.
constexpr std::size_t kNumberFieldLength = 31;
/// The framework's own wording, used when the program's string table has none.
constexpr std::u16string_view kParseUnsignedMessage = u"Please enter a positive integer.";

bool IsBlank(char16_t c) {
    return c == u' ' || c == u'\t';
}

CWnd* ControlOf(CDataExchange* pDX, UINT id) {
    CWnd* control = pDX->m_pDlgWnd != nullptr ? pDX->m_pDlgWnd->GetDlgItem(id) : nullptr;
    if (control == nullptr) {
        throw std::logic_error(
            "dialog " + std::to_string(pDX->m_pDlgWnd != nullptr ? pDX->m_pDlgWnd->GetTemplateId() : 0) +
            " has no control " + std::to_string(id));
    }
    return control;
}

/// The radio buttons of the group that starts at `first`, in template order.
std::vector<platform::ButtonWidget*> RadioGroup(CWnd* first) {
    std::vector<platform::ButtonWidget*> group;
    platform::WndWidget* start = platform::WidgetOf(*first);
    QWidget* parent = start != nullptr ? start->parentWidget() : nullptr;
    if (parent == nullptr) {
        return group;
    }
    bool inGroup = false;
    for (QObject* child : parent->children()) {
        auto* window = dynamic_cast<platform::WndWidget*>(child);
        if (window == nullptr) {
            continue;
        }
        if (window == start) {
            inGroup = true;
        } else if (inGroup && (window->style & WS_GROUP) != 0) {
            break;
        }
        auto* button = dynamic_cast<platform::ButtonWidget*>(window);
        const DWORD kind = window->style & BS_TYPEMASK;
        if (inGroup && button != nullptr && (kind == BS_RADIOBUTTON || kind == BS_AUTORADIOBUTTON)) {
            group.push_back(button);
        }
    }
    return group;
}
} // namespace

void CDataExchange::Fail() {
    if (m_lastControl != 0 && m_pDlgWnd != nullptr) {
        if (CWnd* control = m_pDlgWnd->GetDlgItem(m_lastControl)) {
            control->SetFocus();
            if (auto* edit = dynamic_cast<CEdit*>(control)) {
                edit->SetSel(0, -1);
            }
        }
    }
    throw DataExchangeFailure("a field of dialog " +
                              std::to_string(m_pDlgWnd != nullptr ? m_pDlgWnd->GetTemplateId() : 0) +
                              " failed validation");
}

void DDX_Control(CDataExchange* pDX, UINT id, CWnd& control) {
    if (control.HasWindow()) {
        return;
    }
    if (!control.SubclassDlgItem(id, pDX->m_pDlgWnd)) {
        throw std::logic_error(
            "dialog " + std::to_string(pDX->m_pDlgWnd != nullptr ? pDX->m_pDlgWnd->GetTemplateId() : 0) +
            ": control " + std::to_string(id) + " does not exist or is of another kind");
    }
}

void DDX_Text(CDataExchange* pDX, UINT id, std::u16string& value) {
    CWnd* control = ControlOf(pDX, id);
    if (pDX->m_bSaveAndValidate) {
        value = control->GetWindowText();
    } else {
        control->SetWindowText(value);
    }
}

void DDX_Radio(CDataExchange* pDX, UINT firstId, int& value) {
    const std::vector<platform::ButtonWidget*> group = RadioGroup(ControlOf(pDX, firstId));
    if (pDX->m_bSaveAndValidate) {
        value = -1;
        for (std::size_t i = 0; i < group.size(); ++i) {
            if (group[i]->checked) {
                value = static_cast<int>(i);
            }
        }
        return;
    }
    for (std::size_t i = 0; i < group.size(); ++i) {
        group[i]->checked = static_cast<int>(i) == value;
        group[i]->MarkInvalid(nullptr, true);
    }
}

std::optional<std::uint32_t> ParseUnsigned32(std::u16string_view text) {
    text = text.substr(0, std::min(text.size(), kNumberFieldLength));
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    if (text.empty()) {
        return std::nullopt;
    }
    std::uint64_t value = 0;
    for (char16_t c : text) {
        if (c < u'0' || c > u'9') {
            return std::nullopt;
        }
        value = value * 10 + static_cast<std::uint64_t>(c - u'0');
        // A number past 32 bits would be stored cut short: refuse it like any other bad text.
        if (value > std::numeric_limits<std::uint32_t>::max()) {
            return std::nullopt;
        }
    }
    return static_cast<std::uint32_t>(value);
}

void DDX_Text(CDataExchange* pDX, UINT id, std::uint32_t& value) {
    CWnd* control = ControlOf(pDX, id);
    if (!pDX->m_bSaveAndValidate) {
        control->SetWindowText(Widen(std::to_string(value)));
        return;
    }
    pDX->PrepareEditCtrl(id);
    const std::optional<std::uint32_t> parsed = ParseUnsigned32(control->GetWindowText());
    if (!parsed) {
        const std::optional<std::u16string_view> worded = FindStringResource(AFX_IDP_PARSE_UINT);
        AfxMessageBox(std::u16string(worded.value_or(kParseUnsignedMessage)), MB_OK | MB_ICONEXCLAMATION);
        pDX->Fail();
    }
    value = *parsed;
}
