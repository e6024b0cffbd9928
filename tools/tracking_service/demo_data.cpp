#include "tools/tracking_service/demo_data.h"

namespace radar::service {

const std::vector<DemoCourier>& DemoCouriers() {
    static const std::vector<DemoCourier> couriers = {
        {"shunfeng", "顺丰速运"}, {"yuantong", "圆通速递"}, {"zhongtong", "中通快递"},
        {"shentong", "申通快递"}, {"yunda", "韵达快递"},    {"ems", "EMS"},
    };
    return couriers;
}

namespace {

// A parcel whose newest scan says 'status', after one older scan.
DemoParcel Newest(std::string number, std::string courier, std::string status, std::string note) {
    return {std::move(number),
            {std::move(courier)},
            {{"2026-12-01", "09:15:00", "【上海市】快件已被收寄"}, {"2026-12-02", "14:30:00", std::move(status)}},
            std::move(note)};
}

} // namespace

const std::vector<DemoParcel>& DemoParcels() {
    // The 100000000NN numbers cover the status keywords in their order: each newest status holds
    // its keyword and none of the keywords before it.
    static const std::vector<DemoParcel> parcels = {
        Newest("10000000001", "shunfeng", "【杭州市】快件已从杭州中转部发往上海", "发往"),
        Newest("10000000002", "yuantong", "【广州市】签收失败，收件人拒收", "签收失败"),
        Newest("10000000003", "zhongtong", "【北京市】已签收，签收人是本人", "签收"),
        Newest("10000000004", "shentong", "【上海市】快递员张师傅正在派件", "派件"),
        Newest("10000000005", "yunda", "【深圳市】深圳南山营业点已收件", "已收件"),
        Newest("10000000006", "ems", "【深圳市】快件已打包", "已打包"),
        Newest("10000000007", "shunfeng", "【武汉市】快件已拆包", "已拆包"),
        Newest("10000000008", "yuantong", "【武汉市】快件已发出", "已发出"),
        Newest("10000000009", "zhongtong", "【成都市】快件在成都高新站点", "站点"),
        Newest("10000000010", "shentong", "【南京市】快件将由指定快递员投递", "指定"),
        Newest("10000000011", "yunda", "【西安市】疑难件，地址不详", "疑难件"),
        Newest("10000000012", "ems", "【郑州市】郑州中心正在扫描快件", "扫描"),
        Newest("10000000013", "shunfeng", "【长沙市】快件已到达长沙中转部", "已到达"),
        Newest("10000000014", "yuantong", "【重庆市】快件已收入驿站", "已收入"),
        Newest("10000000015", "zhongtong", "【厦门市】厦门集美营业部已揽收", "已揽收"),
        Newest("10000000016", "shentong", "【天津市】天津转运中心完成分捡", "完成分捡"),
        Newest("10000000017", "yunda", "【济南市】快件离开济南转运中心", "离开"),
        Newest("10000000018", "ems", "【青岛市】配送员李师傅，电话13800000000", "配送员"),
        Newest("10000000019", "shunfeng", "【苏州市】快件完成配送", "完成配送"),
        Newest("10000000020", "yuantong", "【合肥市】快件运输途中", "no keyword"),
        Newest("10000000021", "zhongtong", "【上海市】正在派件，派送员王师傅", "派件 and 派送"),
        {"20000000001",
         {"zhongtong", "yuantong", "yunda"},
         {{"2026-12-03", "10:00:00", "【宁波市】快件已到达宁波转运中心"}},
         "detection lists several couriers; only the first has a history"},
        {"20000000002", {"yunda"}, {}, "detected, but the history page holds no entry"},
        {"20000000003",
         {"shunfeng"},
         {{"2026-12-01", "08:00:00", "【深圳市】顺丰速运已揽收"},
          {"2026-12-02", "06:30:00", "【深圳市】快件离开深圳转运中心"},
          {"2026-12-03", "11:45:00", "【北京市】已签收，签收人是前台"}},
         "three-entry history"},
    };
    return parcels;
}

const DemoParcel* FindDemoParcel(std::string_view number) {
    for (const DemoParcel& parcel : DemoParcels()) {
        if (parcel.number == number) return &parcel;
    }
    return nullptr;
}

} // namespace radar::service
