#pragma once

#include <string>
#include <string_view>

// Every statement the client issues on Info.db, in one place. Values are bound to the `?`
// placeholders in the order the comment names them; nothing is formatted into the text.
namespace corvane::store::sql {

// Accounts, in registration order, for the monitor. No parameters.
inline constexpr std::string_view kSelectAccountsForMonitor = "select * from [user] order by id";
// Is this visitor known: visitor name, account name.
inline constexpr std::string_view kFindVisitor =
    "select * from [client] where [guestname] = ? and [shopname] = ?";
// A new visitor: visitor name, IP, account name, local date-time, 1, city, page address,
// feed time.
inline constexpr std::string_view kInsertVisitor =
    "insert into [client] ([guestname], [ip], [shopname], [lasttime], [count], [city], "
    "[shopurl], [webdate]) values (?, ?, ?, ?, ?, ?, ?, ?)";
// Is a greeting already queued: visitor name, account name.
inline constexpr std::string_view kFindGreetingJob =
    "select * from [AutoSend] where [ClientName] = ? and [UserName] = ?";
// Queue a greeting: visitor name, account name, greeting template.
inline constexpr std::string_view kInsertGreetingJob =
    "insert into [AutoSend] ([ClientName], [UserName], [Message]) values (?, ?, ?)";
// Empty the greeting queue. No parameters.
inline constexpr std::string_view kDeleteGreetingJobs = "delete from [AutoSend]";
// The queued greetings; the row's own key follows the three columns, at position 3, so the
// sender can delete exactly the rows it read.
inline constexpr std::string_view kSelectGreetingJobs = "select *, rowid from [AutoSend]";
// One greeting taken: the key read at position 3 and the three texts read with it (a key
// freed by emptying the queue may be given to a newer row).
inline constexpr std::string_view kDeleteGreetingJob =
    "delete from [AutoSend] where rowid = ? and [ClientName] = ? and [UserName] = ? and "
    "[Message] = ?";
// The settings row. No parameters.
inline constexpr std::string_view kSelectSettings = "select * from [sysseting] where [id] = 1";
// Save the settings: autorun, clienttip, reflashtime, sendsteptime, "NULL",
// wangwangedition, guesttip, playsound.
inline constexpr std::string_view kUpdateSettings =
    "update [sysseting] set [autorun] = ?, [clienttip] = ?, [reflashtime] = ?, "
    "[sendsteptime] = ?, [autosendname] = ?, [wangwangedition] = ?, [guesttip] = ?, "
    "[playsound] = ? where [id] = 1";
// The upgrade's one change. No parameters.
inline constexpr std::string_view kAddRandomColumn =
    "alter table [sysseting] add column [AddRandom] YESNO NOT NULL DEFAULT 0";
// Accounts for the settings page's list. No parameters.
inline constexpr std::string_view kSelectAccountsForList = "select * from [user] order by [id]";
// One account by name (editing it, or refusing a name that exists): account name.
inline constexpr std::string_view kSelectAccountByName =
    "select * from [user] where [username] = ?";
// Register an account: username, userename, password, webid, messageinfo, autosend (0/1),
// tpass, tbsmailname, tbid, picid.
inline constexpr std::string_view kInsertAccount =
    "insert into [user] ([username], [userename], [password], [webid], [messageinfo], "
    "[autosend], [tpass], [tbsmailname], [tbid], [picid]) values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)";
// Modify an account: password, userename, messageinfo, autosend, tpass, tbsmailname, tbid,
// picid, account name.
inline constexpr std::string_view kUpdateAccount =
    "update [user] set [password] = ?, [userename] = ?, [messageinfo] = ?, [autosend] = ?, "
    "[tpass] = ?, [tbsmailname] = ?, [tbid] = ?, [picid] = ? where [username] = ?";
// Save an account's greeting settings: template, autosend (0/1), account name.
inline constexpr std::string_view kUpdateAccountGreeting =
    "update [user] set [messageinfo] = ?, [autosend] = ? where [username] = ?";
// Delete an account: account name.
inline constexpr std::string_view kDeleteAccount = "delete from [user] where [username] = ?";
// Account names for the history filter. No parameters.
inline constexpr std::string_view kSelectAllAccounts = "select * from [user]";
// The visitor list, newest first. No parameters.
inline constexpr std::string_view kSelectVisitsNewestFirst =
    "select * from [client] order by [lasttime] desc";
// The history: all visits, by name, by account, by date range (first and last second).
inline constexpr std::string_view kSelectVisits = "select * from [client] order by [id] desc";
inline constexpr std::string_view kSelectVisitsByVisitor =
    "select * from [client] where [guestname] like '%' || ? || '%' order by [id] desc";
inline constexpr std::string_view kSelectVisitsByAccount =
    "select * from [client] where [shopname] like '%' || ? || '%' order by [id] desc";
inline constexpr std::string_view kSelectVisitsBetween =
    "select * from [client] where [lasttime] between ? and ? order by [id] desc";
// Delete one visit: its [id]; delete a date range: first and last second.
inline constexpr std::string_view kDeleteVisit = "delete from [client] where [id] = ?";
inline constexpr std::string_view kDeleteVisitsBetween =
    "delete from [client] where [lasttime] between ? and ?";

// Range bounds: the day's first second and its last, so the last day counts whole.
std::string FirstSecondOfDay(int year, int month, int day);
std::string LastSecondOfDay(int year, int month, int day);

}  // namespace corvane::store::sql
