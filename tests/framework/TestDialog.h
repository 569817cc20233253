#pragma once
// Ids of the test dialog used by the framework tests.
#define IDD_EXCHANGE_TEST 1
#define IDC_TEST_CHECK 101
#define IDC_TEST_RADIO_FIRST 111
#define IDC_TEST_RADIO_SECOND 112
#define IDC_TEST_RADIO_THIRD 113
#define IDC_TEST_NEXT_GROUP 114
#define IDC_TEST_EDIT 121
