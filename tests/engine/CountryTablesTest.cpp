// "ChannelAddress.ini", "ChannelPoint.ini" and the FM format list: fixtures
// with the malformed and oversized entries a hand-edited file can hold.
#include "engine/CustomFMFormat.h"
#include "engine/FreqAndName.h"
#include "engine/PointManager.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

TEST(FreqAndName, TablesOfACountry)
{
    TempFolder dir;
    dir.Write("ChannelAddress.ini",
              "[General]\r\nTotal=1\r\nCountryCode-0=86\r\n"
              "[86]\r\nTotal=3\r\nTable-0=Beijing\r\nTable-2=Shanghai\r\n"
              "[Beijing]\r\nTotal=4\r\nChannel-0=CCTV1,49750\r\nChannel-1=NoComma\r\n"
              "Channel-2=Sport,471250\r\nChannel-3=Sport again,471250\r\n"
              "[86-Default]\r\nTotal=1\r\nChannel-0=Default,57750\r\n"
              "[44]\r\nTotal=2000000000\r\n");
    CFreqAndName tables;
    ASSERT_TRUE(tables.Load(dir.File("ChannelAddress.ini").c_str()));

    CStringArray names;
    EXPECT_TRUE(tables.GetTableNames(86, names));
    ASSERT_EQ(2, names.GetSize());
    EXPECT_EQ("Shanghai", names[1]);
    EXPECT_FALSE(tables.GetTableNames(44, names)); // a huge Total with no tables: bounded, none

    CFreqNameMap map;
    map[1] = "kept";
    EXPECT_TRUE(tables.LoadTable(86, "Beijing", map));
    EXPECT_EQ(3, map.GetCount());
    CString name;
    EXPECT_TRUE(map.Lookup(471250, name));
    EXPECT_EQ("Sport again", name);
    EXPECT_TRUE(tables.LoadTable(86, "", map));
    EXPECT_TRUE(map.Lookup(57750, name));
    EXPECT_FALSE(tables.LoadTable(86, "Nowhere", map));
}

TEST(FreqAndName, FrequenciesAreWholeNumbersOfAtLeastOneKHz)
{
    TempFolder dir;
    dir.Write("ChannelAddress.ini",
              "[886-Default]\r\nTotal=8\r\n"
              "Channel-0=Ghost,-2147483648\r\n"
              "Channel-1=Zero,0\r\n"
              "Channel-2=Huge,2147483648\r\n"
              "Channel-3=Unit,471250 kHz\r\n"
              "Channel-4=,479250\r\n"            // no name
              "Channel-5=  ,487250\r\n"          // a blank name would not read back from a .tvc
              "Channel-6=Spaced, 495250 \r\n"
              "Channel-7=Sport,503250\r\n");
    CFreqAndName tables;
    ASSERT_TRUE(tables.Load(dir.File("ChannelAddress.ini").c_str()));
    CFreqNameMap map;
    EXPECT_TRUE(tables.LoadTable(886, "", map));
    ASSERT_EQ(2, map.GetCount());
    CString name;
    EXPECT_TRUE(map.Lookup(495250, name));
    EXPECT_TRUE(map.Lookup(503250, name));

    dir.Write("ChannelAddress.ini", "[886-Default]\r\nTotal=1\r\nChannel-0=Ghost,-2147483648\r\n");
    ASSERT_TRUE(tables.Load(dir.File("ChannelAddress.ini").c_str()));
    CFreqNameMap ghost;
    EXPECT_FALSE(tables.LoadTable(886, "", ghost));
    EXPECT_EQ(0, ghost.GetCount());
}

TEST(PointManager, RefusesValuesThatAreNoFrequency)
{
    TempFolder dir;
    dir.Write("ChannelPoint.ini",
              "[1,0,1,X]\r\n1=1e99\r\n"          // infinite as a float: refused, the row keeps its 0
              "[2,0,2,Y]\r\n1=2e62\r\n2=1000.5\r\n3=1e999\r\n4=48.25\r\n5=0\r\n");
    CPointManager points;
    ASSERT_TRUE(points.Load(dir.File("ChannelPoint.ini").c_str()));
    const float* values = nullptr;
    int count = 0;
    ASSERT_TRUE(points.FindTable(1, "", 0, values, count));
    ASSERT_EQ(1, count);
    EXPECT_EQ(0.0f, values[0]);
    ASSERT_TRUE(points.FindTable(2, "", 0, values, count));
    ASSERT_EQ(2, count);
    EXPECT_FLOAT_EQ(48.25f, values[0]);
    EXPECT_EQ(0.0f, values[1]);
}

TEST(PointManager, ParsesRowsAndBoundsCounts)
{
    TempFolder dir;
    dir.Write("ChannelPoint.ini",
              "; scan points\r\n"
              "1=55.25\r\n"                       // before any header: ignored
              "[86,1,3,China]\r\n"
              "1=49.75\r\n2=57.75\r\n  3=65.75  \r\n4=77.25\r\n" // the fourth grows the row
              "x=abc\r\n"
              "[33,0,0,France]\r\n"               // count 0: no row
              "1=1.0\r\n"
              "[bad header]\r\n"
              "2=2.0\r\n"
              "[44,0,99999999,Huge]\r\n"          // an oversized count starts no row
              "3=3.0\r\n"
              "[49,0,2,Germany]]]\r\n"
              "48.25\r\n55.25\r\n");
    CPointManager points;
    ASSERT_TRUE(points.Load(dir.File("ChannelPoint.ini").c_str()));
    ASSERT_EQ(2, points.GetSize());

    const float* values = nullptr;
    int count = 0;
    ASSERT_TRUE(points.FindTable(86, "", 1, values, count));
    ASSERT_EQ(4, count);
    EXPECT_FLOAT_EQ(49.75f, values[0]);
    EXPECT_FLOAT_EQ(77.25f, values[3]);
    EXPECT_FALSE(points.FindTable(86, "", 0, values, count)); // antenna only
    ASSERT_TRUE(points.FindTable(999, "GERMANY", 0, values, count)); // by name
    EXPECT_EQ(2, count);
    EXPECT_EQ("Germany", points.GetAt(1)->GetName());
    EXPECT_FALSE(points.FindTable(33, "France", 0, values, count));

    EXPECT_FALSE(points.Load(dir.File("missing.ini").c_str()));
    EXPECT_EQ(2, points.GetSize()); // kept
}

TEST(CustomFMFormat, GrowsAtTheEndAndCopiesTheSelection)
{
    CCustomFMFormat list;
    FMParam* first = list.GetAt(0);
    ASSERT_NE(nullptr, first);
    first->Name = "Voice";
    EXPECT_EQ(1, list.GetSize());
    EXPECT_EQ(nullptr, list.GetAt(5));
    EXPECT_EQ(1, list.GetSize());
    list.GetAt(1)->Name = "Music";
    list.SetSelected(1);

    CCustomFMFormat copy;
    copy = list;
    EXPECT_EQ(1, copy.GetSelected());
    ASSERT_EQ(2, copy.GetSize());
    EXPECT_NE(list.GetAt(1), copy.GetAt(1)); // a deep copy
    EXPECT_EQ("Music", copy.GetAt(1)->Name);
    copy.RemoveAt(0);
    EXPECT_EQ("Music", copy.GetAt(0)->Name);
    copy.RemoveAll();
    EXPECT_EQ(-1, copy.GetSelected());
}
