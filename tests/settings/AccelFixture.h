// A small hot-key table and its archive, byte for byte, shared by the
// hot-key tests and the bad-input run. Header only; test thread.
#pragma once
#include "settings/Accel.h"

#include <string>

namespace accel_fixture {

// Two groups, two commands, Ctrl+A on the first and F8 on the second.
inline void Fill(CAccel& accel)
{
    accel.AddGroup("Channel");
    accel.AddGroup("View");
    accel.AddCommand(0, 1000, "Next", "Next channel");
    accel.AddCommand(1, 32895, "Full", "");
    accel.SetBinding(0x00410008, 1000, 0);  // Ctrl+A
    accel.SetBinding(0x00770000, 32895, 0); // F8
}

// What Fill's table stores: the group array (16-bit count, strings), the
// items (32-bit count; group, id, name, description), the bindings (32-bit
// count; fVirt, key, command, extra).
inline std::string Bytes()
{
    return std::string("\x02\x00" "\x07" "Channel" "\x04" "View"
                       "\x02\x00\x00\x00"
                       "\x00\x00\x00\x00" "\xE8\x03" "\x04" "Next" "\x0C" "Next channel"
                       "\x01\x00\x00\x00" "\x7F\x80" "\x04" "Full" "\x00"
                       "\x02\x00\x00\x00"
                       "\x09" "\x41\x00" "\xE8\x03" "\x00\x00"
                       "\x01" "\x77\x00" "\x7F\x80" "\x00\x00",
                       2 + 8 + 5 + 4 + 4 + 2 + 5 + 13 + 4 + 2 + 5 + 1 + 4 + 7 + 7);
}

// The table as one text: groups, items and bindings in order.
inline std::string Describe(const CAccel& accel)
{
    std::string text;
    for (int i = 0; i < accel.GetGroupCount(); ++i)
        text += "g:" + std::string(accel.GetGroupName(i)) + ";";
    for (int i = 0; i < accel.GetCommandCount(); ++i) {
        const CAccel::CCommandItem* item = accel.GetCommandItem(i);
        text += "c:" + std::to_string(item->m_group) + "," + std::to_string(item->m_id) + "," +
                std::string(item->m_name) + "," + std::string(item->m_description) + ";";
    }
    for (int i = 0; i < accel.GetBindingCount(); ++i) {
        const CAccelOb* ob = accel.GetBinding(i);
        text += "b:" + std::to_string(ob->m_fVirt) + "," + std::to_string(ob->m_key) + "," +
                std::to_string(ob->m_cmd) + "," + std::to_string(ob->m_extra) + ";";
    }
    return text;
}

} // namespace accel_fixture
