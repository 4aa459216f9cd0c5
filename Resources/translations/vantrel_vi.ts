<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="vi">
<context>
    <name>Kestrow::AppDelegate</name>
    <message>
        <source>Capture Table</source>
        <translation>Chụp bảng</translation>
    </message>
    <message>
        <source>Quick Capture</source>
        <translation>Chụp nhanh</translation>
    </message>
    <message>
        <source>Read Image from Clipboard</source>
        <translation>Đọc ảnh từ bảng tạm</translation>
    </message>
    <message>
        <source>Open Image…</source>
        <translation>Mở ảnh…</translation>
    </message>
    <message>
        <source>Recent</source>
        <translation>Gần đây</translation>
    </message>
    <message>
        <source>History…</source>
        <translation>Lịch sử…</translation>
    </message>
    <message>
        <source>Settings…</source>
        <translation>Cài đặt…</translation>
    </message>
    <message>
        <source>Quit Vantrel</source>
        <translation>Thoát Vantrel</translation>
    </message>
</context>
<context>
    <name>AppIconChoice</name>
    <message>
        <source>Light</source>
        <translation>Sáng</translation>
    </message>
    <message>
        <source>Sparkle</source>
        <translation>Lấp lánh</translation>
    </message>
    <message>
        <source>Dark (default)</source>
        <translation>Tối (mặc định)</translation>
    </message>
</context>
<context>
    <name>Appearance</name>
    <message>
        <source>Light</source>
        <translation>Sáng</translation>
    </message>
    <message>
        <source>Dark</source>
        <translation>Tối</translation>
    </message>
    <message>
        <source>Match System</source>
        <translation>Theo hệ thống</translation>
    </message>
</context>
<context>
    <name>Kestrow::GeneralPage</name>
    <message>
        <source>Getting started</source>
        <translation>Bắt đầu</translation>
    </message>
    <message>
        <source>Tray icon</source>
        <translation>Biểu tượng khay hệ thống</translation>
    </message>
    <message>
        <source>Capture a table</source>
        <translation>Chụp một bảng</translation>
    </message>
    <message>
        <source>Select an area, review, then copy or export.</source>
        <translation>Chọn một vùng, xem lại, rồi sao chép hoặc xuất.</translation>
    </message>
    <message>
        <source>Quick capture</source>
        <translation>Chụp nhanh</translation>
    </message>
    <message>
        <source>Copies straight to the clipboard when no cell is flagged.</source>
        <translation>Sao chép thẳng vào bảng tạm khi không có ô nào bị đánh dấu.</translation>
    </message>
    <message>
        <source>Allow…</source>
        <translation>Cho phép…</translation>
    </message>
    <message>
        <source>Screen Recording</source>
        <translation>Ghi màn hình</translation>
    </message>
    <message>
        <source>Appearance</source>
        <translation>Giao diện</translation>
    </message>
    <message>
        <source>Theme</source>
        <translation>Chủ đề</translation>
    </message>
    <message>
        <source>Follows the desktop by default; or always Light or Dark.</source>
        <translation>Mặc định theo màn hình nền; hoặc luôn Sáng hay Tối.</translation>
    </message>
    <message>
        <source>App icon</source>
        <translation>Biểu tượng ứng dụng</translation>
    </message>
    <message>
        <source>Used in the system tray and on Vantrel&apos;s windows.</source>
        <translation>Dùng trên khay hệ thống và trên các cửa sổ của Vantrel.</translation>
    </message>
    <message>
        <source>System</source>
        <translation>Hệ thống</translation>
    </message>
    <message>
        <source>Open at login</source>
        <translation>Mở khi đăng nhập</translation>
    </message>
    <message>
        <source>Start Vantrel in the system tray when you log in.</source>
        <translation>Khởi động Vantrel trên khay hệ thống khi bạn đăng nhập.</translation>
    </message>
    <message>
        <source>Restart Now</source>
        <translation>Khởi động lại ngay</translation>
    </message>
    <message>
        <source>Match System</source>
        <translation>Theo hệ thống</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Ngôn ngữ</translation>
    </message>
    <message>
        <source>Vantrel lives in the system tray. If you can&apos;t find its icon there, use the shortcuts.</source>
        <translation>Vantrel nằm trên khay hệ thống. Nếu bạn không thấy biểu tượng ở đó, hãy dùng phím tắt.</translation>
    </message>
    <message>
        <source>This desktop shows no system tray, so Vantrel has no icon there. Use the shortcuts to capture.</source>
        <translation>Màn hình nền này không có khay hệ thống nên Vantrel không có biểu tượng ở đó. Hãy dùng phím tắt để chụp.</translation>
    </message>
    <message>
        <source>Allowed. Vantrel can read the area you select.</source>
        <translation>Đã cho phép. Vantrel có thể đọc vùng bạn chọn.</translation>
    </message>
    <message>
        <source>Not allowed yet. Vantrel needs it to read the area you select.</source>
        <translation>Chưa được phép. Vantrel cần quyền này để đọc vùng bạn chọn.</translation>
    </message>
    <message>
        <source>Restart Vantrel to switch the language.</source>
        <translation>Khởi động lại Vantrel để đổi ngôn ngữ.</translation>
    </message>
    <message>
        <source>English or Tiếng Việt.</source>
        <translation>English hoặc Tiếng Việt.</translation>
    </message>
</context>
<context>
    <name>Kestrow::HistorySettingsSection</name>
    <message>
        <source>History</source>
        <translation>Lịch sử</translation>
    </message>
    <message>
        <source>History stays on this computer (application data folder), is never synced to a cloud and never uploaded. Turning image saving off deletes saved images.</source>
        <translation>Lịch sử chỉ nằm trên máy tính này (thư mục dữ liệu ứng dụng), không bao giờ được đồng bộ lên đám mây hay tải lên. Tắt lưu ảnh sẽ xoá các ảnh đã lưu.</translation>
    </message>
    <message>
        <source>Keep recent captures</source>
        <translation>Giữ các lần chụp gần đây</translation>
    </message>
    <message>
        <source>Reopen, copy or export earlier tables.</source>
        <translation>Mở lại, sao chép hoặc xuất các bảng trước đó.</translation>
    </message>
    <message>
        <source>Captures to keep</source>
        <translation>Số lần chụp được giữ</translation>
    </message>
    <message>
        <source>Older ones are removed first.</source>
        <translation>Các lần cũ hơn bị xoá trước.</translation>
    </message>
    <message>
        <source>Also save the captured image</source>
        <translation>Lưu cả ảnh đã chụp</translation>
    </message>
    <message>
        <source>Lets you compare cells with the source later. Uses more disk space.</source>
        <translation>Giúp bạn đối chiếu các ô với ảnh gốc về sau. Tốn thêm dung lượng đĩa.</translation>
    </message>
    <message>
        <source>Show History…</source>
        <translation>Xem lịch sử…</translation>
    </message>
    <message>
        <source>Delete All History…</source>
        <translation>Xoá toàn bộ lịch sử…</translation>
    </message>
    <message>
        <source>Delete all %1 saved captures?</source>
        <translation>Xoá cả %1 lần chụp đã lưu?</translation>
    </message>
    <message>
        <source>This can&apos;t be undone.</source>
        <translation>Không thể hoàn tác thao tác này.</translation>
    </message>
    <message>
        <source>Delete All</source>
        <translation>Xoá tất cả</translation>
    </message>
</context>
<context>
    <name>Keycaps</name>
    <message>
        <source>Control</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Option</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shift</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Command</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Return</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Escape</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tab</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Kestrow::LaunchAtLoginToggle</name>
    <message>
        <source>Open at login</source>
        <translation>Mở khi đăng nhập</translation>
    </message>
</context>
<context>
    <name>LoginItem</name>
    <message>
        <source>Could not create the folder %1.</source>
        <translation>Không tạo được thư mục %1.</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Software Update</source>
        <translation>Cập nhật phần mềm</translation>
    </message>
    <message>
        <source>You&apos;re up to date.</source>
        <translation>Bạn đang dùng bản mới nhất.</translation>
    </message>
    <message>
        <source>Vantrel %1 is the newest version.</source>
        <translation>Vantrel %1 là phiên bản mới nhất.</translation>
    </message>
    <message>
        <source>Vantrel could not check for updates.</source>
        <translation>Vantrel không kiểm tra được bản cập nhật.</translation>
    </message>
    <message>
        <source>Vantrel %1 is available.</source>
        <translation>Đã có Vantrel %1.</translation>
    </message>
    <message>
        <source>You have %1. Open the download page to get the new version.</source>
        <translation>Bạn đang dùng bản %1. Hãy mở trang tải về để lấy phiên bản mới.</translation>
    </message>
    <message>
        <source>Open Download Page</source>
        <translation>Mở trang tải về</translation>
    </message>
    <message>
        <source>Later</source>
        <translation>Để sau</translation>
    </message>
    <message>
        <source>Images (%1)</source>
        <translation>Ảnh (%1)</translation>
    </message>
</context>
<context>
    <name>Kestrow::RecognitionPage</name>
    <message>
        <source>Flag cells below confidence</source>
        <translation>Đánh dấu ô có độ tin cậy dưới</translation>
    </message>
    <message>
        <source>Trust</source>
        <translation>Độ tin cậy</translation>
    </message>
    <message>
        <source>Flagged cells are highlighted with a dotted outline in the editor and listed in the status bar; Quick Capture opens the editor instead of copying when any cell is flagged.</source>
        <translation>Các ô bị đánh dấu được viền chấm trong trình sửa và liệt kê ở thanh trạng thái; khi có ô bị đánh dấu, Chụp nhanh sẽ mở trình sửa thay vì sao chép.</translation>
    </message>
    <message>
        <source>Higher flags more cells for you to check.</source>
        <translation>Mức càng cao thì càng nhiều ô được đánh dấu để bạn kiểm tra.</translation>
    </message>
    <message>
        <source>Privacy</source>
        <translation>Quyền riêng tư</translation>
    </message>
    <message>
        <source>On this computer only</source>
        <translation>Chỉ trên máy tính này</translation>
    </message>
    <message>
        <source>Tables are read on this computer. Captured images stay in memory unless you keep them in History.</source>
        <translation>Bảng được đọc ngay trên máy tính này. Ảnh chụp chỉ nằm trong bộ nhớ, trừ khi bạn giữ chúng trong Lịch sử.</translation>
    </message>
    <message>
        <source>Feedback</source>
        <translation>Góp ý</translation>
    </message>
    <message>
        <source>Send Feedback opens a draft in your own mail app; nothing is sent automatically.</source>
        <translation>Gửi góp ý sẽ mở một thư nháp trong ứng dụng thư của bạn; không có gì được gửi tự động.</translation>
    </message>
    <message>
        <source>Network</source>
        <translation>Mạng</translation>
    </message>
    <message>
        <source>Vantrel never goes online: updates aren&apos;t set up in this build.</source>
        <translation>Vantrel không bao giờ kết nối mạng: bản dựng này chưa thiết lập cập nhật.</translation>
    </message>
    <message>
        <source>Vantrel goes online only to look for updates at %1.</source>
        <translation>Vantrel chỉ kết nối mạng để tìm bản cập nhật tại %1.</translation>
    </message>
</context>
<context>
    <name>Kestrow::SettingsView</name>
    <message>
        <source>General</source>
        <translation>Chung</translation>
    </message>
    <message>
        <source>Shortcuts</source>
        <translation>Phím tắt</translation>
    </message>
    <message>
        <source>Recognition</source>
        <translation>Nhận dạng</translation>
    </message>
    <message>
        <source>History</source>
        <translation>Lịch sử</translation>
    </message>
    <message>
        <source>History isn&apos;t available in this session.</source>
        <translation>Lịch sử không dùng được trong phiên này.</translation>
    </message>
</context>
<context>
    <name>Kestrow::SettingsWindow</name>
    <message>
        <source>Settings</source>
        <translation>Cài đặt</translation>
    </message>
</context>
<context>
    <name>Kestrow::ShortcutRecorder</name>
    <message>
        <source>Press keys…</source>
        <translation>Nhấn phím…</translation>
    </message>
</context>
<context>
    <name>Kestrow::ShortcutsPage</name>
    <message>
        <source>Global shortcuts</source>
        <translation>Phím tắt toàn cục</translation>
    </message>
    <message>
        <source>Work from any app. Click a shortcut, then press a new combination with Ctrl, Alt or Super. Esc cancels.</source>
        <translation>Dùng được từ mọi ứng dụng. Bấm vào một phím tắt, rồi nhấn tổ hợp mới có Ctrl, Alt hoặc Super. Esc để huỷ.</translation>
    </message>
    <message>
        <source>Capture table</source>
        <translation>Chụp bảng</translation>
    </message>
    <message>
        <source>Select an area, review the cells, then copy or export.</source>
        <translation>Chọn một vùng, xem lại các ô, rồi sao chép hoặc xuất.</translation>
    </message>
    <message>
        <source>Quick capture</source>
        <translation>Chụp nhanh</translation>
    </message>
    <message>
        <source>Copies straight away when no cell needs checking.</source>
        <translation>Sao chép ngay khi không có ô nào cần kiểm tra.</translation>
    </message>
    <message>
        <source>Another app already uses this shortcut, so it does nothing in Vantrel. Click it and press a different combination.</source>
        <translation>Một ứng dụng khác đã dùng phím tắt này nên nó không có tác dụng trong Vantrel. Hãy bấm vào và nhấn một tổ hợp khác.</translation>
    </message>
    <message>
        <source>Vantrel could not register this shortcut: another app may use it, or your desktop does not allow global shortcuts. Click it and press a different combination.</source>
        <translation>Vantrel không đăng ký được phím tắt này: có thể một ứng dụng khác đang dùng nó, hoặc màn hình nền của bạn không cho phép phím tắt toàn cục. Hãy bấm vào và nhấn một tổ hợp khác.</translation>
    </message>
    <message>
        <source>Both actions use the same shortcut. Pick a different one for Quick Capture.</source>
        <translation>Cả hai thao tác đang dùng cùng một phím tắt. Hãy chọn phím tắt khác cho Chụp nhanh.</translation>
    </message>
</context>
<context>
    <name>Kestrow::UpdateController</name>
    <message>
        <source>The update feed is too large.</source>
        <translation>Nguồn cập nhật quá lớn.</translation>
    </message>
    <message>
        <source>The update feed could not be read.</source>
        <translation>Không đọc được nguồn cập nhật.</translation>
    </message>
    <message>
        <source>Check for Updates…</source>
        <translation>Kiểm tra cập nhật…</translation>
    </message>
</context>
<context>
    <name>UpdateFetcher</name>
    <message>
        <source>The update address is not secure.</source>
        <translation>Địa chỉ cập nhật không an toàn.</translation>
    </message>
    <message>
        <source>The update feed is too large.</source>
        <translation>Nguồn cập nhật quá lớn.</translation>
    </message>
</context>
<context>
    <name>Kestrow::UpdatesSettingsSection</name>
    <message>
        <source>Check Now</source>
        <translation>Kiểm tra ngay</translation>
    </message>
    <message>
        <source>Check for updates automatically</source>
        <translation>Tự động kiểm tra cập nhật</translation>
    </message>
    <message>
        <source>Once a day, from %1. Sends no system profile.</source>
        <translation>Mỗi ngày một lần, từ %1. Không gửi thông tin hệ thống.</translation>
    </message>
    <message>
        <source>Updates aren&apos;t set up in this build.</source>
        <translation>Bản dựng này chưa thiết lập cập nhật.</translation>
    </message>
    <message>
        <source>Updates</source>
        <translation>Cập nhật</translation>
    </message>
</context>
<context>
    <name>Kestrow::ResultView</name>
    <message numerus="yes">
        <source>%n cells to check</source>
        <translation>
            <numerusform>%n ô cần kiểm tra</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Stitching</name>
    <message numerus="yes">
        <source>Added %n rows</source>
        <translation>
            <numerusform>Đã thêm %n hàng</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>skipped %n repeated</source>
        <translation>
            <numerusform>bỏ qua %n hàng lặp lại</numerusform>
        </translation>
    </message>
</context>
</TS>
