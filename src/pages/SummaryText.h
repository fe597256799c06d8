#pragma once
// What the three summary pages show for each collected setting, and which
// message a failed apply sequence shows. Plain tables over WizardSettings.
#include <array>
#include <cstdint>
#include <string>

#include "engine/WizardSettings.h"

namespace orv {

enum class SummaryPage {
    NetWork,      // CDlgNetWorkFinish
    Wireless,     // CDlgWirelessFinish (older form)
    WirelessNew,  // CDlgWirelessFinishNew
};

// IPADDR, SUBMASK, GATEWAY, PRIDNS, SECDNS. With DHCP: "Auto" on the network
// and newer wireless summaries, empty on the older wireless summary.
std::array<std::u16string, 5> SummaryAddressTexts(const WizardSettings& s, SummaryPage page);

// ADMPWD: the confirmed new password when it is being changed.
std::u16string SummaryPasswordText(const WizardSettings& s);

// Wireless: "Enable" when WirelessEnableText reads as the number 1.
std::u16string SummaryWirelessText(const WizardSettings& s);

// CHANNEL: the number; on the newer summary "Auto" in infrastructure mode.
std::u16string SummaryChannelText(const WizardSettings& s, SummaryPage page);

// AUTH and ENCRYPT of the newer summary; empty for unknown values.
std::u16string SummaryAuthText(int32_t authType);
std::u16string SummaryEncryptText(int32_t encryptionType);

// KEY of the newer summary: the default WEP key or the pass phrase.
std::u16string SummaryKeyText(const WizardSettings& s);

// Message for a failed apply result (not -1): a message number, or 0 for the
// generic text (SummaryGenericText).
int32_t SummaryResultMessage(SummaryPage page, int32_t result, int32_t msgCode);
std::u16string SummaryGenericText(uint32_t result);

} // namespace orv
