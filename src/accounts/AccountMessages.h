#pragma once

#include <string_view>

#include "accounts/AccountOperations.h"

namespace corvane::accounts {

// What the owner is told about an add; empty for a success, which each face words itself.
constexpr std::string_view AddAccountMessage(AddAccountOutcome outcome) {
    switch (outcome) {
        case AddAccountOutcome::Added:
            return {};
        case AddAccountOutcome::EmptyName:
            return "您输入的用户名不正确,请重新输入!";
        case AddAccountOutcome::EmptyPassword:
            return "您的防监控密码输入不正确,请重新输入";
        case AddAccountOutcome::ServiceRefused:
            return "网络不通或您用户名密码没有登记!无法添加用户!";
        case AddAccountOutcome::EmptyWebId:
            return "未知错误导致添加用户失败!";
        case AddAccountOutcome::AlreadyExists:
            return "您输入的用户已经存在,请重新输入新用户!";
        case AddAccountOutcome::StoreFailed:
            return "数据库写入失败,账户没有保存!";
    }
    return {};
}

// The greeting a new account starts with.
inline constexpr std::string_view kDefaultGreetingTemplate =
    "亲爱的 [username],欢迎光临！随便看看哦，有什么需要帮忙的随时招呼我！[randomcode]";

}  // namespace corvane::accounts
