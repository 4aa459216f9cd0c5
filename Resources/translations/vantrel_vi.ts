<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="vi">
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
    <name>CaptureFailure</name>
    <message>
        <source>Capture failed</source>
        <translation>Chụp không thành công</translation>
    </message>
    <message>
        <source>Vantrel couldn&apos;t see the screen</source>
        <translation>Vantrel không nhìn thấy màn hình</translation>
    </message>
    <message>
        <source>The desktop didn&apos;t allow this capture. Vantrel reads the screen through X11: on a Wayland desktop, log in to an X11 session or capture windows of X11 applications, then capture again.</source>
        <translation>Màn hình nền không cho phép lần chụp này. Vantrel đọc màn hình qua X11: trên màn hình nền Wayland, hãy đăng nhập vào một phiên X11 hoặc chụp cửa sổ của các ứng dụng X11, rồi chụp lại.</translation>
    </message>
    <message>
        <source>The capture came back empty, which is what a Wayland desktop returns for windows Vantrel isn&apos;t allowed to see. Log in to an X11 session, or capture windows of X11 applications, then capture again.</source>
        <translation>Ảnh chụp trả về trống — đó là điều màn hình nền Wayland trả về cho những cửa sổ mà Vantrel không được phép nhìn thấy. Hãy đăng nhập vào một phiên X11, hoặc chụp cửa sổ của các ứng dụng X11, rồi chụp lại.</translation>
    </message>
    <message>
        <source>No display to capture</source>
        <translation>Không có màn hình nào để chụp</translation>
    </message>
    <message>
        <source>The selection is empty</source>
        <translation>Vùng chọn trống</translation>
    </message>
    <message>
        <source>The selection lies outside the screen</source>
        <translation>Vùng chọn nằm ngoài màn hình</translation>
    </message>
</context>
<context>
    <name>TaskbarIconMode</name>
    <message>
        <source>Always</source>
        <translation>Luôn luôn</translation>
    </message>
    <message>
        <source>Never</source>
        <translation>Không bao giờ</translation>
    </message>
    <message>
        <source>While a window is open</source>
        <translation>Khi có cửa sổ đang mở</translation>
    </message>
</context>
<context>
    <name>EditorCommands</name>
    <message>
        <source>Insert Row Above</source>
        <translation>Chèn hàng phía trên</translation>
    </message>
    <message>
        <source>Insert Row Below</source>
        <translation>Chèn hàng phía dưới</translation>
    </message>
    <message>
        <source>Delete Row</source>
        <translation>Xoá hàng</translation>
    </message>
    <message>
        <source>Insert Column Left</source>
        <translation>Chèn cột bên trái</translation>
    </message>
    <message>
        <source>Insert Column Right</source>
        <translation>Chèn cột bên phải</translation>
    </message>
    <message>
        <source>Delete Column</source>
        <translation>Xoá cột</translation>
    </message>
    <message>
        <source>Merge Cells</source>
        <translation>Gộp ô</translation>
    </message>
    <message>
        <source>Split Cells</source>
        <translation>Tách ô</translation>
    </message>
    <message>
        <source>Mark as Header Row</source>
        <translation>Đặt làm hàng tiêu đề</translation>
    </message>
    <message>
        <source>Mark Header Row</source>
        <translation>Đặt hàng tiêu đề</translation>
    </message>
    <message>
        <source>Unmark Header Row</source>
        <translation>Bỏ hàng tiêu đề</translation>
    </message>
    <message>
        <source>Clear Contents</source>
        <translation>Xoá nội dung</translation>
    </message>
    <message>
        <source>Edit Cell</source>
        <translation>Sửa ô</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Xoá</translation>
    </message>
    <message>
        <source>Insert Row</source>
        <translation>Chèn hàng</translation>
    </message>
    <message>
        <source>Insert Column</source>
        <translation>Chèn cột</translation>
    </message>
</context>
<context>
    <name>GridCell</name>
    <message>
        <source>Empty cell</source>
        <translation>Ô trống</translation>
    </message>
    <message>
        <source>needs checking</source>
        <translation>cần kiểm tra</translation>
    </message>
    <message>
        <source>doesn&apos;t match the column type</source>
        <translation>không khớp kiểu dữ liệu của cột</translation>
    </message>
    <message>
        <source>edited</source>
        <translation>đã sửa</translation>
    </message>
</context>
<context>
    <name>HelpView</name>
    <message>
        <source>Get Started</source>
        <translation>Bắt đầu</translation>
    </message>
    <message>
        <source>Shortcuts</source>
        <translation>Phím tắt</translation>
    </message>
    <message>
        <source>How Tables Are Read</source>
        <translation>Cách bảng được đọc</translation>
    </message>
    <message>
        <source>Privacy</source>
        <translation>Quyền riêng tư</translation>
    </message>
    <message>
        <source>Contact</source>
        <translation>Liên hệ</translation>
    </message>
</context>
<context>
    <name>HistoryItem</name>
    <message>
        <source>Text only</source>
        <translation>Chỉ có văn bản</translation>
    </message>
    <message>
        <source>%1 × %2 table</source>
        <translation>Bảng %1 × %2</translation>
    </message>
</context>
<context>
    <name>HistoryRow</name>
    <message>
        <source>%1 to check</source>
        <translation>%1 ô cần kiểm tra</translation>
    </message>
</context>
<context>
    <name>Kestrow::AboutView</name>
    <message>
        <source>Version %1</source>
        <translation>Phiên bản %1</translation>
    </message>
    <message>
        <source>Any table on screen, as real cells. Read on your computer, never guessed.</source>
        <translation>Mọi bảng trên màn hình thành những ô thật sự. Đọc ngay trên máy tính của bạn, không bao giờ đoán mò.</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Trợ giúp</translation>
    </message>
    <message>
        <source>Send Feedback…</source>
        <translation>Gửi góp ý…</translation>
    </message>
    <message>
        <source>Licenses</source>
        <translation>Giấy phép</translation>
    </message>
</context>
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
    <message>
        <source>Send Feedback…</source>
        <translation>Gửi góp ý…</translation>
    </message>
    <message>
        <source>Vantrel Help</source>
        <translation>Trợ giúp Vantrel</translation>
    </message>
    <message>
        <source>Show Welcome Again</source>
        <translation>Xem lại lời chào mừng</translation>
    </message>
    <message>
        <source>About Vantrel</source>
        <translation>Giới thiệu Vantrel</translation>
    </message>
    <message>
        <source>That&apos;s Vantrel&apos;s own result. Select the original table instead.</source>
        <translation>Đó là kết quả của chính Vantrel. Hãy chọn bảng gốc.</translation>
    </message>
    <message>
        <source>Third-Party Licenses</source>
        <translation>Giấy phép của bên thứ ba</translation>
    </message>
</context>
<context>
    <name>Kestrow::CaptureRoad</name>
    <message>
        <source>Reading table…</source>
        <translation>Đang đọc bảng…</translation>
    </message>
    <message>
        <source>Preparing the table reader (first time only)…</source>
        <translation>Đang chuẩn bị bộ đọc bảng (chỉ lần đầu)…</translation>
    </message>
    <message>
        <source>No table found</source>
        <translation>Không tìm thấy bảng</translation>
    </message>
    <message>
        <source>The new capture has no table to append.</source>
        <translation>Lần chụp mới không có bảng nào để nối thêm.</translation>
    </message>
    <message>
        <source>The next part was not added.</source>
        <translation>Phần tiếp theo chưa được thêm vào.</translation>
    </message>
    <message>
        <source>Quick Capture: drag over a table to copy it  ·  Esc to cancel</source>
        <translation>Chụp nhanh: kéo qua một bảng để sao chép  ·  Esc để huỷ</translation>
    </message>
    <message>
        <source>Drag over a table  ·  Esc to cancel</source>
        <translation>Kéo qua một bảng  ·  Esc để huỷ</translation>
    </message>
    <message>
        <source>Copied %1 × %2 table</source>
        <translation>Đã sao chép bảng %1 × %2</translation>
    </message>
    <message>
        <source>Can&apos;t open image</source>
        <translation>Không mở được ảnh</translation>
    </message>
    <message>
        <source>Table recognition failed</source>
        <translation>Nhận dạng bảng không thành công</translation>
    </message>
    <message>
        <source>Vantrel couldn&apos;t read this image. Try capturing again, a little larger. If it keeps happening, use Send Feedback in the menu.</source>
        <translation>Vantrel không đọc được ảnh này. Hãy thử chụp lại, rộng hơn một chút. Nếu vẫn gặp lỗi, hãy dùng Gửi góp ý trong menu.</translation>
    </message>
    <message>
        <source>Quit &amp; Reopen</source>
        <translation>Thoát và mở lại</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Huỷ</translation>
    </message>
</context>
<context>
    <name>HistoryConfirm</name>
    <message>
        <source>Cancel</source>
        <translation>Huỷ</translation>
    </message>
</context>
<context>
    <name>Kestrow::ColumnMappingView</name>
    <message>
        <source>Column headers of the two captures do not match.</source>
        <translation>Tiêu đề cột của hai lần chụp không khớp nhau.</translation>
    </message>
    <message>
        <source>The captures have %1 and %2 columns and no header to match them by.</source>
        <translation>Hai lần chụp có %1 và %2 cột, và không có tiêu đề để ghép chúng với nhau.</translation>
    </message>
    <message>
        <source>Match columns</source>
        <translation>Ghép cột</translation>
    </message>
    <message>
        <source>New capture</source>
        <translation>Lần chụp mới</translation>
    </message>
    <message>
        <source>Goes to</source>
        <translation>Đưa vào</translation>
    </message>
    <message>
        <source>Don&apos;t add</source>
        <translation>Không thêm</translation>
    </message>
    <message>
        <source>New column</source>
        <translation>Cột mới</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Huỷ</translation>
    </message>
    <message>
        <source>Stitch</source>
        <translation>Nối</translation>
    </message>
    <message>
        <source>Column </source>
        <translation>Cột </translation>
    </message>
</context>
<context>
    <name>Kestrow::FeedbackView</name>
    <message>
        <source>Message</source>
        <translation>Nội dung</translation>
    </message>
    <message>
        <source>Reply email (optional)</source>
        <translation>Email để trả lời (không bắt buộc)</translation>
    </message>
    <message>
        <source>That doesn&apos;t look like an email address.</source>
        <translation>Đây có vẻ không phải là địa chỉ email.</translation>
    </message>
    <message>
        <source>Also included (technical details)</source>
        <translation>Kèm theo (thông tin kỹ thuật)</translation>
    </message>
    <message>
        <source>Nothing is sent automatically. “Open in Mail” creates a draft in your mail app to %1; you can read and change it before sending.</source>
        <translation>Không có gì được gửi tự động. “Mở trong ứng dụng thư” tạo một thư nháp gửi tới %1 trong ứng dụng thư của bạn; bạn có thể đọc và sửa trước khi gửi.</translation>
    </message>
    <message>
        <source>Copy Text</source>
        <translation>Sao chép văn bản</translation>
    </message>
    <message>
        <source>Copied. Paste it into an email to %1.</source>
        <translation>Đã sao chép. Hãy dán vào một email gửi tới %1.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Huỷ</translation>
    </message>
    <message>
        <source>Open in Mail</source>
        <translation>Mở trong ứng dụng thư</translation>
    </message>
    <message>
        <source>Bug</source>
        <translation>Lỗi</translation>
    </message>
    <message>
        <source>Misread Table</source>
        <translation>Bảng bị đọc sai</translation>
    </message>
    <message>
        <source>Suggestion</source>
        <translation>Đề xuất</translation>
    </message>
    <message>
        <source>A draft should now be open in your mail app. If none appeared (for example, no mail account is set up), use Copy Text and paste it into any email.</source>
        <translation>Một thư nháp lẽ ra đã được mở trong ứng dụng thư của bạn. Nếu không thấy (ví dụ chưa thiết lập tài khoản thư), hãy dùng Sao chép văn bản rồi dán vào một email bất kỳ.</translation>
    </message>
    <message>
        <source>No mail app could take attachments. The text is copied and a new email is open; attach files yourself if needed.</source>
        <translation>Không ứng dụng thư nào nhận được tệp đính kèm. Văn bản đã được sao chép và một email mới đã mở; hãy tự đính kèm tệp nếu cần.</translation>
    </message>
    <message>
        <source>Couldn&apos;t open a mail app. The text is copied: paste it into an email to %1.</source>
        <translation>Không mở được ứng dụng thư. Văn bản đã được sao chép: hãy dán vào một email gửi tới %1.</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Loại</translation>
    </message>
    <message>
        <source>Attachments (off unless you tick them)</source>
        <translation>Tệp đính kèm (chỉ gửi khi bạn đánh dấu chọn)</translation>
    </message>
    <message>
        <source>Captured image (%1, %2×%3 px)</source>
        <translation>Ảnh đã chụp (%1, %2×%3 px)</translation>
    </message>
    <message>
        <source>The image may contain sensitive data. Check it before sending.</source>
        <translation>Ảnh có thể chứa dữ liệu nhạy cảm. Hãy kiểm tra trước khi gửi.</translation>
    </message>
    <message>
        <source>Result table (%1, %2×%3)</source>
        <translation>Bảng kết quả (%1, %2×%3)</translation>
    </message>
    <message>
        <source>If the files are not attached, add them from %1.</source>
        <translation>Nếu tệp chưa được đính kèm, hãy thêm chúng từ %1.</translation>
    </message>
    <message>
        <source>The files to attach are in %1.</source>
        <translation>Các tệp cần đính kèm nằm trong %1.</translation>
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
        <source>Screen capture</source>
        <translation>Chụp màn hình</translation>
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
    <name>Kestrow::HelpView</name>
    <message>
        <source>Version %1</source>
        <translation>Phiên bản %1</translation>
    </message>
    <message>
        <source>Selected</source>
        <translation>Đã chọn</translation>
    </message>
    <message>
        <source>Heading</source>
        <translation>Tiêu đề</translation>
    </message>
    <message>
        <source>Capture a table anywhere on screen and paste it into a spreadsheet or an AI chat with rows and columns intact. Uncertain cells are %1; numbers are never invented.</source>
        <translation>Chụp một bảng ở bất kỳ đâu trên màn hình và dán vào bảng tính hoặc cuộc trò chuyện AI mà vẫn giữ nguyên hàng và cột. Các ô chưa chắc chắn được %1; số liệu không bao giờ bị bịa ra.</translation>
    </message>
    <message>
        <source>flagged for review</source>
        <translation>đánh dấu để xem lại</translation>
    </message>
    <message>
        <source>Press %1, or choose Capture Table from the tray icon&apos;s menu.</source>
        <translation>Nhấn %1, hoặc chọn Chụp bảng trong menu của biểu tượng khay hệ thống.</translation>
    </message>
    <message>
        <source>Drag over the table: a PDF, a web page, a dashboard, a slide.</source>
        <translation>Kéo qua bảng: trong tệp PDF, trang web, bảng điều khiển hay trang trình chiếu.</translation>
    </message>
    <message>
        <source>Check any highlighted cells against the source below the grid, then Copy (%1) or Export.</source>
        <translation>Đối chiếu các ô được tô sáng với ảnh gốc bên dưới lưới, rồi Sao chép (%1) hoặc Xuất.</translation>
    </message>
    <message>
        <source>Long table? Use “Capture Next Part” in the result window to append the rest. You can also read an image from the clipboard or open an image file from the tray menu.</source>
        <translation>Bảng dài? Dùng “Chụp phần tiếp theo” trong cửa sổ kết quả để nối thêm phần còn lại. Bạn cũng có thể đọc ảnh từ bảng tạm hoặc mở tệp ảnh từ menu khay hệ thống.</translation>
    </message>
    <message>
        <source>Try a Sample Table</source>
        <translation>Thử với bảng mẫu</translation>
    </message>
    <message>
        <source>Capture Table</source>
        <translation>Chụp bảng</translation>
    </message>
    <message>
        <source>Quick Capture (copy directly)</source>
        <translation>Chụp nhanh (sao chép ngay)</translation>
    </message>
    <message>
        <source>In the result window</source>
        <translation>Trong cửa sổ kết quả</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Sao chép</translation>
    </message>
    <message>
        <source>Copy as AI Context</source>
        <translation>Sao chép làm ngữ cảnh AI</translation>
    </message>
    <message>
        <source>Next cell to check</source>
        <translation>Ô tiếp theo cần kiểm tra</translation>
    </message>
    <message>
        <source>Undo / Redo</source>
        <translation>Hoàn tác / Làm lại</translation>
    </message>
    <message>
        <source>Edit a cell</source>
        <translation>Sửa một ô</translation>
    </message>
    <message>
        <source>Change Shortcuts in Settings…</source>
        <translation>Đổi phím tắt trong Cài đặt…</translation>
    </message>
    <message>
        <source>Recognition runs on this computer: Tesseract reads the text, and Vantrel&apos;s own text engine rebuilds the rows and columns when the table models are absent.</source>
        <translation>Việc nhận dạng chạy ngay trên máy tính này: Tesseract đọc chữ, và bộ máy văn bản riêng của Vantrel dựng lại hàng và cột khi không có các mô hình bảng.</translation>
    </message>
    <message>
        <source>Cells the engine is unsure about are highlighted and outlined. Check them, edit if needed, then copy. %1 jumps to the next one.</source>
        <translation>Những ô mà bộ máy chưa chắc chắn được tô sáng và viền lại. Hãy kiểm tra, sửa nếu cần, rồi sao chép. %1 chuyển tới ô tiếp theo.</translation>
    </message>
    <message>
        <source>Totals are checked against the rows above them; a mismatch is flagged, never corrected for you.</source>
        <translation>Các dòng tổng được đối chiếu với những hàng phía trên; chỗ không khớp sẽ được đánh dấu, không bao giờ bị tự ý sửa.</translation>
    </message>
    <message>
        <source>If a table is read wrongly, use Report Misread Table in the result window.</source>
        <translation>Nếu một bảng bị đọc sai, hãy dùng Báo bảng bị đọc sai trong cửa sổ kết quả.</translation>
    </message>
    <message>
        <source>Runs on Linux desktops with X11; on Wayland, through XWayland.</source>
        <translation>Chạy trên màn hình nền Linux dùng X11; trên Wayland thì chạy qua XWayland.</translation>
    </message>
    <message>
        <source>Images, tables and history stay on this computer. No analytics, no tracking.</source>
        <translation>Ảnh, bảng và lịch sử chỉ nằm trên máy tính này. Không phân tích, không theo dõi.</translation>
    </message>
    <message>
        <source>Vantrel goes online only to look for a new version on the update server, once a day while “Automatically check for updates” is on, and when you choose Check for Updates. Update checks send no system profile.</source>
        <translation>Vantrel chỉ kết nối mạng để tìm phiên bản mới trên máy chủ cập nhật: mỗi ngày một lần khi “Tự động kiểm tra cập nhật” đang bật, và khi bạn chọn Kiểm tra cập nhật. Việc kiểm tra cập nhật không gửi thông tin hệ thống.</translation>
    </message>
    <message>
        <source>This build has no update server: Vantrel never goes online.</source>
        <translation>Bản dựng này không có máy chủ cập nhật: Vantrel không bao giờ kết nối mạng.</translation>
    </message>
    <message>
        <source>Text you paste into an AI chat goes to that provider.</source>
        <translation>Văn bản bạn dán vào cuộc trò chuyện AI sẽ được gửi tới nhà cung cấp đó.</translation>
    </message>
    <message>
        <source>Feedback goes only through your own mail app, and only when you press Send there. Images and tables are attached only if you tick them. See %1.</source>
        <translation>Góp ý chỉ được gửi qua ứng dụng thư của chính bạn, và chỉ khi bạn nhấn Gửi ở đó. Ảnh và bảng chỉ được đính kèm nếu bạn đánh dấu chọn. Xem %1.</translation>
    </message>
    <message>
        <source>Email</source>
        <translation>Email</translation>
    </message>
    <message>
        <source>Or use Send Feedback… to include technical details.</source>
        <translation>Hoặc dùng Gửi góp ý… để kèm thông tin kỹ thuật.</translation>
    </message>
    <message>
        <source>Send Feedback…</source>
        <translation>Gửi góp ý…</translation>
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
    <name>Kestrow::HistoryView</name>
    <message>
        <source>Search tables</source>
        <translation>Tìm bảng</translation>
    </message>
    <message>
        <source>Search history</source>
        <translation>Tìm trong lịch sử</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Mở</translation>
    </message>
    <message>
        <source>Tables you capture appear here.</source>
        <translation>Các bảng bạn chụp sẽ hiện ở đây.</translation>
    </message>
    <message>
        <source>No captures yet</source>
        <translation>Chưa có lần chụp nào</translation>
    </message>
    <message>
        <source>Clear Search</source>
        <translation>Xoá tìm kiếm</translation>
    </message>
    <message>
        <source>Settings…</source>
        <translation>Cài đặt…</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Xoá</translation>
    </message>
    <message>
        <source>Delete All…</source>
        <translation>Xoá tất cả…</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 trên %2</translation>
    </message>
    <message>
        <source>No captures match “%1”</source>
        <translation>Không có lần chụp nào khớp với “%1”</translation>
    </message>
    <message>
        <source>Saved on this computer only</source>
        <translation>Chỉ lưu trên máy tính này</translation>
    </message>
    <message>
        <source>History is off — new captures are not saved</source>
        <translation>Lịch sử đang tắt — các lần chụp mới không được lưu</translation>
    </message>
    <message>
        <source>Delete all %1 saved captures?</source>
        <translation>Xoá cả %1 lần chụp đã lưu?</translation>
    </message>
    <message>
        <source>This removes the tables and any saved images from this computer. It can&apos;t be undone.</source>
        <translation>Thao tác này xoá các bảng và mọi ảnh đã lưu khỏi máy tính này. Không thể hoàn tác.</translation>
    </message>
    <message>
        <source>Delete All</source>
        <translation>Xoá tất cả</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Sao chép</translation>
    </message>
</context>
<context>
    <name>Kestrow::HistoryWindow</name>
    <message>
        <source>History</source>
        <translation>Lịch sử</translation>
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
    <name>Kestrow::LicensesView</name>
    <message>
        <source>All Components</source>
        <translation>Tất cả thành phần</translation>
    </message>
</context>
<context>
    <name>Kestrow::NoTrayHint</name>
    <message>
        <source>Vantrel is running</source>
        <translation>Vantrel đang chạy</translation>
    </message>
    <message>
        <source>Its icon can&apos;t be shown because this desktop has no system tray. Start Vantrel again to open its menu.</source>
        <translation>Không thể hiện biểu tượng vì màn hình nền này không có khay hệ thống. Hãy khởi động Vantrel lần nữa để mở menu của nó.</translation>
    </message>
    <message>
        <source>Capture a table with</source>
        <translation>Chụp một bảng bằng</translation>
    </message>
    <message>
        <source>Open Menu</source>
        <translation>Mở menu</translation>
    </message>
    <message>
        <source>Don&apos;t Remind Me</source>
        <translation>Đừng nhắc lại</translation>
    </message>
</context>
<context>
    <name>Kestrow::OnboardingView</name>
    <message>
        <source>Back</source>
        <translation>Quay lại</translation>
    </message>
    <message>
        <source>Later</source>
        <translation>Để sau</translation>
    </message>
    <message>
        <source>Continue</source>
        <translation>Tiếp tục</translation>
    </message>
    <message>
        <source>Step %1 of %2</source>
        <translation>Bước %1 / %2</translation>
    </message>
    <message>
        <source>Start Using Vantrel</source>
        <translation>Bắt đầu dùng Vantrel</translation>
    </message>
    <message>
        <source>Capture any table on screen and paste it into LibreOffice Calc or Google Sheets — rows and columns intact.</source>
        <translation>Chụp bất kỳ bảng nào trên màn hình và dán vào LibreOffice Calc hoặc Google Sheets — giữ nguyên hàng và cột.</translation>
    </message>
    <message>
        <source>Select a table anywhere: PDFs, web pages, screenshots, slides.</source>
        <translation>Chọn một bảng ở bất cứ đâu: tệp PDF, trang web, ảnh chụp màn hình, trang trình chiếu.</translation>
    </message>
    <message>
        <source>Get real rows and columns, ready to paste.</source>
        <translation>Nhận hàng và cột thật sự, sẵn sàng để dán.</translation>
    </message>
    <message>
        <source>Uncertain cells are flagged — numbers are never invented.</source>
        <translation>Các ô chưa chắc chắn được đánh dấu — số liệu không bao giờ bị bịa ra.</translation>
    </message>
    <message>
        <source>Everything runs on this computer. Nothing is uploaded.</source>
        <translation>Mọi thứ chạy trên máy tính này. Không có gì bị tải lên.</translation>
    </message>
    <message>
        <source>How Vantrel works</source>
        <translation>Vantrel hoạt động thế nào</translation>
    </message>
    <message>
        <source>Shortcuts</source>
        <translation>Phím tắt</translation>
    </message>
    <message>
        <source>Work from anywhere — Vantrel lives in the system tray.</source>
        <translation>Dùng từ bất cứ đâu — Vantrel nằm trên khay hệ thống.</translation>
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
        <source>You can also read an image from the clipboard or open an image file from the tray menu. Change shortcuts in Settings.</source>
        <translation>Bạn cũng có thể đọc ảnh từ bảng tạm hoặc mở tệp ảnh từ menu khay hệ thống. Đổi phím tắt trong Cài đặt.</translation>
    </message>
    <message>
        <source>Screen Capture</source>
        <translation>Chụp màn hình</translation>
    </message>
    <message>
        <source>Try it on a sample table</source>
        <translation>Thử với một bảng mẫu</translation>
    </message>
    <message>
        <source>Open a sample table and capture it the way you will capture your own: you get rows and columns, with any cell worth checking highlighted.</source>
        <translation>Mở một bảng mẫu và chụp nó như cách bạn sẽ chụp bảng của mình: bạn nhận được hàng và cột, với những ô đáng kiểm tra được tô sáng.</translation>
    </message>
    <message>
        <source>Quarterly revenue by region</source>
        <translation>Doanh thu theo quý của từng khu vực</translation>
    </message>
    <message>
        <source>8 rows × 6 columns, invented figures</source>
        <translation>8 hàng × 6 cột, số liệu giả định</translation>
    </message>
    <message>
        <source>Open Sample Table</source>
        <translation>Mở bảng mẫu</translation>
    </message>
    <message>
        <source>Help is in the tray menu any time.</source>
        <translation>Trợ giúp luôn có trong menu khay hệ thống.</translation>
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
    <name>Kestrow::ResultView</name>
    <message numerus="yes">
        <source>%n cells to check</source>
        <translation>
            <numerusform>%n ô cần kiểm tra</numerusform>
        </translation>
    </message>
    <message>
        <source>vantrel</source>
        <translation>vantrel</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Hoàn tác</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>Làm lại</translation>
    </message>
    <message>
        <source>Table</source>
        <translation>Bảng</translation>
    </message>
    <message>
        <source>Vantrel Help</source>
        <translation>Trợ giúp Vantrel</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Trợ giúp</translation>
    </message>
    <message>
        <source>Capture Next Part</source>
        <translation>Chụp phần tiếp theo</translation>
    </message>
    <message>
        <source>Capture the next part of a long table and append it (F6)</source>
        <translation>Chụp phần tiếp theo của một bảng dài và nối vào (F6)</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Sao chép</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Xuất</translation>
    </message>
    <message>
        <source>Copy As Shown</source>
        <translation>Sao chép như đang hiển thị</translation>
    </message>
    <message>
        <source>Copy Normalized Values</source>
        <translation>Sao chép giá trị đã chuẩn hoá</translation>
    </message>
    <message>
        <source>Copy as AI Context</source>
        <translation>Sao chép làm ngữ cảnh AI</translation>
    </message>
    <message>
        <source>Copy as AI Context with Image</source>
        <translation>Sao chép làm ngữ cảnh AI kèm ảnh</translation>
    </message>
    <message>
        <source>Copy as Markdown</source>
        <translation>Sao chép dạng Markdown</translation>
    </message>
    <message>
        <source>Save XLSX…</source>
        <translation>Lưu XLSX…</translation>
    </message>
    <message>
        <source>Save CSV…</source>
        <translation>Lưu CSV…</translation>
    </message>
    <message>
        <source>Save Markdown…</source>
        <translation>Lưu Markdown…</translation>
    </message>
    <message>
        <source>Save JSON…</source>
        <translation>Lưu JSON…</translation>
    </message>
    <message>
        <source>Copy Text</source>
        <translation>Sao chép văn bản</translation>
    </message>
    <message>
        <source>Dismiss</source>
        <translation>Bỏ qua</translation>
    </message>
    <message>
        <source>No table structure recognised — showing the text line by line.</source>
        <translation>Không nhận ra cấu trúc bảng — đang hiển thị văn bản theo từng dòng.</translation>
    </message>
    <message>
        <source>Jump to the next cell to check</source>
        <translation>Chuyển tới ô tiếp theo cần kiểm tra</translation>
    </message>
    <message>
        <source>Reviewed</source>
        <translation>Đã xem lại</translation>
    </message>
    <message>
        <source>Report Misread Table</source>
        <translation>Báo bảng bị đọc sai</translation>
    </message>
    <message>
        <source>Tell us about a table that was read wrongly</source>
        <translation>Báo cho chúng tôi về một bảng bị đọc sai</translation>
    </message>
</context>
<context>
    <name>Kestrow::SamplePicture</name>
    <message>
        <source>Sample table: Q3 2026 revenue by region, 8 rows and 6 columns</source>
        <translation>Bảng mẫu: doanh thu quý 3 năm 2026 theo khu vực, 8 hàng và 6 cột</translation>
    </message>
</context>
<context>
    <name>Kestrow::SampleTableView</name>
    <message>
        <source>Invented figures. Capture it as often as you like.</source>
        <translation>Số liệu giả định. Bạn chụp bao nhiêu lần cũng được.</translation>
    </message>
    <message>
        <source>Capture This Table</source>
        <translation>Chụp bảng này</translation>
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
    <name>Kestrow::SourcePane</name>
    <message>
        <source>Zoom out</source>
        <translation>Thu nhỏ</translation>
    </message>
    <message>
        <source>Fit image</source>
        <translation>Vừa khung ảnh</translation>
    </message>
    <message>
        <source>Zoom in</source>
        <translation>Phóng to</translation>
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
    <name>Keycaps</name>
    <message>
        <source>Return</source>
        <translation>Enter</translation>
    </message>
    <message>
        <source>Escape</source>
        <translation>Esc</translation>
    </message>
    <message>
        <source>Tab</source>
        <translation>Tab</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Delete</translation>
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
    <name>PermissionFlow</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
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
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Excel workbook (*.xlsx)</source>
        <translation>Sổ làm việc Excel (*.xlsx)</translation>
    </message>
    <message>
        <source>JSON document (*.json)</source>
        <translation>Tài liệu JSON (*.json)</translation>
    </message>
</context>
<context>
    <name>QuickCaptureOutcome</name>
    <message>
        <source>Quick Capture opened the editor because %1 cells need checking. Fix them, then copy.</source>
        <translation>Chụp nhanh đã mở trình sửa vì có %1 ô cần kiểm tra. Hãy sửa chúng, rồi sao chép.</translation>
    </message>
    <message>
        <source>Quick Capture opened the editor because no table was found. Check the text below or capture again.</source>
        <translation>Chụp nhanh đã mở trình sửa vì không tìm thấy bảng. Hãy kiểm tra văn bản bên dưới hoặc chụp lại.</translation>
    </message>
</context>
<context>
    <name>ResultActions</name>
    <message>
        <source>Copied as AI context</source>
        <translation>Đã sao chép làm ngữ cảnh AI</translation>
    </message>
    <message>
        <source>The table could not be saved</source>
        <translation>Không lưu được bảng</translation>
    </message>
    <message>
        <source>This table cannot be written as %1: %2</source>
        <translation>Không thể ghi bảng này dưới dạng %1: %2</translation>
    </message>
    <message>
        <source>“%1” could not be written: %2</source>
        <translation>Không ghi được “%1”: %2</translation>
    </message>
</context>
<context>
    <name>ResultTitle</name>
    <message>
        <source>%1 × %2 table</source>
        <translation>Bảng %1 × %2</translation>
    </message>
    <message>
        <source>Text only</source>
        <translation>Chỉ có văn bản</translation>
    </message>
</context>
<context>
    <name>ResultView</name>
    <message>
        <source>%1 × %2</source>
        <translation>%1 × %2</translation>
    </message>
    <message>
        <source>Undo (Ctrl+Z)</source>
        <translation>Hoàn tác (Ctrl+Z)</translation>
    </message>
    <message>
        <source>Undo %1 (Ctrl+Z)</source>
        <translation>Hoàn tác %1 (Ctrl+Z)</translation>
    </message>
    <message>
        <source>Redo (Ctrl+Shift+Z)</source>
        <translation>Làm lại (Ctrl+Shift+Z)</translation>
    </message>
    <message>
        <source>Redo %1 (Ctrl+Shift+Z)</source>
        <translation>Làm lại %1 (Ctrl+Shift+Z)</translation>
    </message>
    <message>
        <source>Table %1 · %2×%3</source>
        <translation>Bảng %1 · %2×%3</translation>
    </message>
</context>
<context>
    <name>SampleTable</name>
    <message>
        <source>Click Capture This Table, then drag over the table below.</source>
        <translation>Bấm Chụp bảng này, rồi kéo qua bảng bên dưới.</translation>
    </message>
    <message>
        <source>Press %1 and drag over this table.</source>
        <translation>Nhấn %1 rồi kéo qua bảng này.</translation>
    </message>
</context>
<context>
    <name>SaveFormat</name>
    <message>
        <source>Excel Workbook (*.xlsx)</source>
        <translation>Sổ làm việc Excel (*.xlsx)</translation>
    </message>
    <message>
        <source>Comma-Separated Values (*.csv)</source>
        <translation>Giá trị phân tách bằng dấu phẩy (*.csv)</translation>
    </message>
    <message>
        <source>Markdown (*.md)</source>
        <translation>Markdown (*.md)</translation>
    </message>
    <message>
        <source>JSON (*.json)</source>
        <translation>JSON (*.json)</translation>
    </message>
</context>
<context>
    <name>SourceImageView</name>
    <message>
        <source>No image was kept for this capture.</source>
        <translation>Lần chụp này không giữ lại ảnh.</translation>
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
    <message>
        <source>Added 1 row</source>
        <translation>Đã thêm 1 hàng</translation>
    </message>
    <message>
        <source>removed repeated header</source>
        <translation>đã bỏ hàng tiêu đề lặp lại</translation>
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
    <name>Windows</name>
    <message>
        <source>Settings</source>
        <translation>Cài đặt</translation>
    </message>
    <message>
        <source>Welcome</source>
        <translation>Chào mừng</translation>
    </message>
    <message>
        <source>History</source>
        <translation>Lịch sử</translation>
    </message>
    <message>
        <source>Vantrel Help</source>
        <translation>Trợ giúp Vantrel</translation>
    </message>
    <message>
        <source>About Vantrel</source>
        <translation>Giới thiệu Vantrel</translation>
    </message>
    <message>
        <source>Send Feedback</source>
        <translation>Gửi góp ý</translation>
    </message>
    <message>
        <source>Sample Table</source>
        <translation>Bảng mẫu</translation>
    </message>
    <message>
        <source>Match Columns</source>
        <translation>Ghép cột</translation>
    </message>
</context>
<context>
    <name>Wordmark</name>
    <message>
        <source>vantrel</source>
        <translation>vantrel</translation>
    </message>
</context>
</TS>
